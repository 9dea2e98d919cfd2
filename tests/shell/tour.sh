#!/usr/bin/env bash
# Pictures of the running display for every screen, the fault pop-up and the
# diagnostics screen: cabdisplay against mvbsim replaying the demo run,
# driven by the demo tour's keypad bytes. The pictures are taken of a whole
# screen, so the tour has an X server of its own: the windows of the other
# test programs must not come in front of it.
# Usage: tour.sh BIN_DIR IMAGE_DIR SOURCE_DIR OUT_DIR
set -euo pipefail
bin=$1 images=$2 source=$3 out=$4
work=$(mktemp -d)
trap 'kill "${sim:-}" "${xserver:-}" 2>/dev/null || true; rm -rf "$work"' EXIT
cp -r "$images" "$work/Images"
cp "$source/panel/LookUpError.csv" "$work/" 2>/dev/null || true
rm -rf "$out"
mkdir -p "$out"
cd "$work"
# The waits below stretch like the deadlines of the other whole-program tests
# (a whole number from 1 to 100, else 1).
factor=${CABDISPLAY_TEST_TIME_FACTOR:-1}
[[ $factor =~ ^[0-9]+$ ]] && [ "$factor" -ge 1 ] && [ "$factor" -le 100 ] || factor=1
waits=$((100 * 10#$factor))
"$bin/mvbsim" --socket "$work/sim.sock" --scenario "$source/sim/scenarios/demo.scn" \
    --log "$work/port301.log" >"$work/mvbsim.out" 2>&1 &
sim=$!
for _ in $(seq "$waits"); do
  grep -q listening "$work/mvbsim.out" 2>/dev/null && break
  sleep 0.05
done
# Xvfb picks a free display number itself and writes it to fd 3.
Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.out" &
xserver=$!
for _ in $(seq "$waits"); do
  [ -s "$work/display" ] && break
  sleep 0.05
done
export DISPLAY=:$(head -n1 "$work/display")
CABDISPLAY_MVB=sim:$work/sim.sock CABDISPLAY_MEDIA=$work/media \
    "$bin/cabtour" --out "$out" --script "$source/sim/scenarios/demo.tour" -- "$bin/cabdisplay" >"$out/cabdisplay.out" 2>&1
count=$(ls "$out"/*.png | wc -l)
echo "$count pictures in $out"
[ "$count" -ge 21 ]
! grep -q CRITICAL "$out/cabdisplay.out"
