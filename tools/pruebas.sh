#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test (CTest starts and stops the private
# MariaDB server that the database tests use). Then the tests that need no server run once more,
# built with AddressSanitizer and UBSan in build-sanitizadores/, where only their programs are
# built. A warning in the program's code stops both builds; the options given go to CMake after
# that one (-DREPIEPS_ADVERTENCIAS_COMO_ERRORES=OFF lets warnings pass).
set -euo pipefail
raiz=$(cd "$(dirname "$0")/.." && pwd)
"$raiz/tools/dependencias.sh"
cmake -S "$raiz" -B "$raiz/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DREPIEPS_ADVERTENCIAS_COMO_ERRORES=ON "$@" >/dev/null
cmake --build "$raiz/build"
(cd "$raiz/build" && ctest --output-on-failure --timeout 900)

sanitizadores="$raiz/build-sanitizadores"
mapfile -t sin_servidor < <(cd "$raiz/tests" && ls ./*/Test*.cpp | sed -E 's#.*/##; s#\.cpp$##' | grep -v '^TestBd')
cmake -S "$raiz" -B "$sanitizadores" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DREPIEPS_SANITIZADORES=ON -DREPIEPS_ADVERTENCIAS_COMO_ERRORES=ON "$@" >/dev/null
cmake --build "$sanitizadores" --target "${sin_servidor[@]}"
cd "$sanitizadores"
LSAN_OPTIONS="suppressions=$raiz/tools/fugas-conocidas.supp" UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --output-on-failure --timeout 900 -R "^($(IFS='|'; echo "${sin_servidor[*]}"))\$"
