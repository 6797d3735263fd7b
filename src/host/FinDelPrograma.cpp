#include "FinDelPrograma.h"

#include <cstdio>
#include <iostream>

#ifdef _WIN32
#include <windows.h>
#endif

namespace host {

int FinDelPrograma(int codigo)
{
#ifdef _WIN32
    std::cout.flush();
    std::cerr.flush();
    std::fflush(nullptr);
    TerminateProcess(GetCurrentProcess(), UINT(codigo));
#endif
    return codigo;
}

} // namespace host
