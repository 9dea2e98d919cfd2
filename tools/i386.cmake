# The cab's platform on a Debian amd64 machine: a 32-bit x86 build against
# the i386 libraries of Debian multiarch (dpkg --add-architecture i386).
#   cmake -S . -B build-i386 -DCMAKE_TOOLCHAIN_FILE=tools/i386.cmake
# The compiler keeps Debian's i386 defaults (i686, x87 floating point), as
# the cab's processor is not known to have SSE2. The system name is left
# alone: the machine runs 32-bit programs (itself, or through the emulator
# that tools/run-tests-i386 registers), so the build still runs its own
# picture generator and the tests.
foreach(kind C CXX)
  set(CMAKE_${kind}_FLAGS_INIT -m32)
endforeach()
foreach(kind EXE SHARED MODULE)
  set(CMAKE_${kind}_LINKER_FLAGS_INIT -m32)
endforeach()
set(CMAKE_LIBRARY_ARCHITECTURE i386-linux-gnu)

# pkg-config reads the i386 library descriptions only.
set(ENV{PKG_CONFIG_LIBDIR} /usr/lib/i386-linux-gnu/pkgconfig:/usr/share/pkgconfig)

# A 64-bit library of the machine's own is never taken in place of a missing
# i386 one (e.g. Google Benchmark, which this build goes without).
set(CMAKE_IGNORE_PATH /usr/lib/x86_64-linux-gnu /usr/lib/x86_64-linux-gnu/cmake /lib/x86_64-linux-gnu)
