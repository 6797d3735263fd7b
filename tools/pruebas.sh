#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test (CTest starts and stops the private
# MariaDB server that the database tests use).
set -euo pipefail
raiz=$(cd "$(dirname "$0")/.." && pwd)
"$raiz/tools/dependencias.sh"
cmake -S "$raiz" -B "$raiz/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$raiz/build"
cd "$raiz/build"
ctest --output-on-failure --timeout 900
