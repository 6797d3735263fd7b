// The main of the console programs and the tests on Windows, which the linker puts in place of
// theirs (-Wl,--wrap=main): theirs runs, then the program ends as FinDelPrograma.h says. Kept
// apart so that only a program linked that way takes it from the library.

#include "FinDelPrograma.h"

#ifdef _WIN32
extern "C" int __real_main(int argc, char **argv);

extern "C" int __wrap_main(int argc, char **argv)
{
    return host::FinDelPrograma(__real_main(argc, argv));
}
#endif
