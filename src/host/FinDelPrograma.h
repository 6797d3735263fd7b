#pragma once

// How a program of this system ends.
//
// Once main is done, the files are closed and the windows are gone, a Windows program of this
// system ends at once with main's code, without the C++ runtime's clean-up at exit. That
// clean-up (the MinGW runtime frees its thread keys as libstdc++ unloads) can wait forever on a
// lock that the threads which ended before left in a bad state: the program then stays in memory
// without a window, now and then after a run in the worker thread. Nothing this system needs
// happens after main.
//
// FinDelPrograma(codigo) flushes the standard streams and ends the process with codigo on
// Windows; elsewhere it only gives codigo back. Console programs and tests get it without a line
// of their own: they are linked with -Wl,--wrap=main (repieps_fin_del_programa in CMake), so the
// runtime calls __wrap_main (EnvolturaDeMain.cpp), which runs the program's main (__real_main)
// and then this. The window program calls it from its own main, which Qt's WinMain calls under
// another name.

namespace host {

int FinDelPrograma(int codigo);

} // namespace host
