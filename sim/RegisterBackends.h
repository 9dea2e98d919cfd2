// The device model as the bus driver reaches it on a bench: two ways to the
// interface device's registers, added to the driver's table of register
// operations by a program that wants them (the cab's own is "ports").
//   sim:PATH  the model in another process (mvbsim), over a Unix stream socket
//   model     the model inside this program (InProcessDevice())
#ifndef CABDISPLAY_SIM_REGISTERBACKENDS_H
#define CABDISPLAY_SIM_REGISTERBACKENDS_H

namespace mue_sim {

// Adds "sim:PATH" and "model" to the ways CABDISPLAY_MVB can name.
void AddRegisterBackends();

}  // namespace mue_sim

#endif
