# Cross-compiling for 64-bit Windows with Debian's MinGW-w64 compilers (the POSIX thread model,
# which std::thread and Qt need). Used to build the cross Qt and the MariaDB client, and, chained
# from Qt's own toolchain file, the program itself.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(_triple x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${_triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${_triple}-g++-posix)
set(CMAKE_RC_COMPILER ${_triple}-windres)
set(CMAKE_AR ${_triple}-gcc-ar-posix CACHE FILEPATH "")
set(CMAKE_RANLIB ${_triple}-gcc-ranlib-posix CACHE FILEPATH "")

# Libraries and headers come from the MinGW sysroot and the folders named in
# REPIEPS_WINDOWS_PREFIJOS (the cross Qt, the cross MariaDB client); programs from the build machine.
list(APPEND CMAKE_FIND_ROOT_PATH /usr/${_triple} $ENV{REPIEPS_WINDOWS_PREFIJOS})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
