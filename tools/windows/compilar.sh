#!/usr/bin/env bash
# Cross-builds the Windows programs (repieps.exe, repieps-cli.exe, the tools and the test programs)
# in build-windows/ ($REPIEPS_COMPILACION_WINDOWS moves it) with the cross Qt of tools/windows/qt.sh,
# which it builds first when this machine does not have it yet.
set -euo pipefail
source "$(dirname "$0")/comun.sh"
[ $# -eq 0 ] || { aviso "uso: $0"; exit 2; }

qt_listo || "$raiz/tools/windows/qt.sh"
instalar_paquetes "${paquetes_cruzados[@]}"

inicio=$(date +%s)
aviso "Compilando repieps para Windows en $compilacion"
# Qt's own toolchain file finds the cross Qt and hands over to ours for the compilers. The test
# programs run under Wine when CTest runs them (tools/windows/pruebas.sh).
mkdir -p "$compilacion"
# The cross toolchain file looks for libraries under these folders too (the workbook library).
export REPIEPS_WINDOWS_PREFIJOS="$prefijo_xlsxwriter"
cmake -S "$raiz" -B "$compilacion" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$prefijo_qt/lib/cmake/Qt6/qt.toolchain.cmake" \
    -DQT_CHAINLOAD_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_CROSSCOMPILING_EMULATOR=wine >"$compilacion/configuracion.log" 2>&1 ||
    { tail -n 30 "$compilacion/configuracion.log" >&2; falla "la configuración falló; vea $compilacion/configuracion.log"; }
cmake --build "$compilacion" ||
    falla "la compilación para Windows falló"
aviso "Programas para Windows en $compilacion/bin ($(duracion $(( $(date +%s) - inicio ))))"
