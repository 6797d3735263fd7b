#!/usr/bin/env bash
# The Windows icon (src/app/repieps.ico) drawn anew from the window's logo by the Linux build's
# repieps-icono. With --comprobar it only says whether the kept file is still that drawing.
#
#   tools/windows/icono.sh [--comprobar] [REPIEPS-ICONO]
set -euo pipefail
raiz=$(cd "$(dirname "$0")/../.." && pwd)
comprobar=0
[ "${1:-}" = --comprobar ] && { comprobar=1; shift; }
herramienta=${1:-$raiz/build/bin/repieps-icono}
[ -x "$herramienta" ] || { echo "Error: falta $herramienta (compile primero con tools/pruebas.sh)" >&2; exit 1; }
tamanos=(16 24 32 48 64 256)
icono="$raiz/src/app/repieps.ico"
nuevo=$(mktemp --suffix=.ico)
trap 'rm -f "$nuevo"' EXIT
QT_QPA_PLATFORM=offscreen "$herramienta" --ico "$nuevo" "${tamanos[@]}"
if [ $comprobar -eq 1 ]; then
    cmp -s "$nuevo" "$icono" && exit 0
    echo "src/app/repieps.ico ya no es el dibujo del logotipo: rehágalo con tools/windows/icono.sh" >&2
    exit 1
fi
install -m 644 "$nuevo" "$icono"
echo "Icono de Windows: $icono (${tamanos[*]} pixeles)"
