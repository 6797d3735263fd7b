#!/usr/bin/env bash
# Lists the DLLs that the programs and libraries of a Windows program folder import but that are
# neither in the folder (or its plugin subfolders' own folder) nor part of Windows itself.
# Exit 1 when any is missing.
#
#   tools/windows/dlls-faltantes.sh CARPETA
set -euo pipefail
carpeta=${1:?uso: $0 CARPETA}
objdump=x86_64-w64-mingw32-objdump

# What every 64-bit Windows from 8.1 on has in System32 (what these programs may import).
sistema=" advapi32 authz bcrypt comctl32 comdlg32 crypt32 d2d1 d3d11 d3d12 d3d9 dnsapi dwmapi dwrite
 dxgi gdi32 imm32 iphlpapi kernel32 mpr msvcrt ncrypt netapi32 ntdll ole32 oleaut32 rpcrt4 secur32 winhttp
 setupapi shcore shell32 shlwapi user32 userenv uxtheme version winmm winspool.drv ws2_32 wtsapi32 "
# One blank between names, and around the whole list, for the matches below.
sistema=" $(echo $sistema) "

presentes=" "
while IFS= read -r f; do presentes+="$(basename "$f" | tr 'A-Z' 'a-z') "; done \
    < <(find "$carpeta" -maxdepth 1 -iname '*.dll')

faltan=0
while IFS= read -r archivo; do
    while IFS= read -r dll; do
        d=$(echo "$dll" | tr 'A-Z' 'a-z')
        base=${d%.dll}
        case "$presentes" in *" $d "*) continue ;; esac
        case "$sistema" in *" $base "* | *" $d "*) continue ;; esac
        case "$base" in api-ms-win-* | ext-ms-win-*) continue ;; esac
        echo "Falta $dll (la usa ${archivo#"$carpeta"/})" >&2
        faltan=1
    done < <("$objdump" -p "$archivo" | sed -n 's/^\s*DLL Name: //p')
done < <(find "$carpeta" -iname '*.exe' -o -iname '*.dll')
exit $faltan
