#!/usr/bin/env bash
# The Windows program as users get it, from a clean clone: builds what is missing (the cross Qt
# once per machine, then the programs), assembles the program folder and makes
#   build-windows/paquete/repieps-<versión>-windows-x64.zip     portable: unzip and run
#   build-windows/paquete/repieps-<versión>-instalador.exe      installer (NSIS), Spanish
set -euo pipefail
source "$(dirname "$0")/comun.sh"
[ $# -eq 0 ] || { aviso "uso: $0"; exit 2; }

inicio=$(date +%s)
"$raiz/tools/windows/compilar.sh"
# qt6-translations-l10n: Qt's Spanish texts, where the cross Qt made none (see below).
instalar_paquetes nsis zip qt6-translations-l10n

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$compilacion/CMakeCache.txt")
[ -n "$version" ] || falla "no se encontró la versión del programa en $compilacion/CMakeCache.txt"
nombre="repieps-$version-windows-x64"
salida="$compilacion/paquete"
carpeta="$salida/$nombre"
rm -rf "$salida"
mkdir -p "$carpeta"/{platforms,styles,sqldrivers,tls,translations,licencias}

aviso "Armando la carpeta del programa $nombre"
cp "$compilacion/bin/repieps.exe" "$compilacion/bin/repieps-cli.exe" "$carpeta/"
for m in Core Gui Widgets Sql Network; do cp "$prefijo_qt/bin/Qt6$m.dll" "$carpeta/"; done
cp "$prefijo_qt/plugins/platforms/qwindows.dll" "$carpeta/platforms/"
cp "$prefijo_qt/plugins/styles/qwindowsvistastyle.dll" "$carpeta/styles/"
cp "$prefijo_qt/plugins/sqldrivers/qsqlmysql.dll" "$carpeta/sqldrivers/"
# The download of the 69-B list is https: Windows' own TLS (schannel) does it.
cp "$prefijo_qt/plugins/tls/qschannelbackend.dll" "$carpeta/tls/"
cp "$prefijo_mariadb/lib/mariadb/libmariadb.dll" "$carpeta/"
# Qt's own texts in Spanish (file dialogs, the menu of a text box), which both programs load from
# translations\ beside them. A .qm file serves every platform: Debian's where the cross Qt has none.
traduccion="$prefijo_qt/translations/qtbase_es.qm"
[ -f "$traduccion" ] || traduccion=/usr/share/qt6/translations/qtbase_es.qm
[ -f "$traduccion" ] || falla "no se encontró la traducción de Qt al español (qtbase_es.qm)"
cp "$traduccion" "$carpeta/translations/"
for dll in libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll; do
    cp "$("$triple-g++-posix" -print-file-name="$dll")" "$carpeta/"
done
# Qt looks for its plugins beside the programs, and nowhere else.
printf '[Paths]\r\nPrefix = .\r\nPlugins = .\r\n' >"$carpeta/qt.conf"
"$triple-strip" --strip-unneeded "$carpeta"/*.exe "$carpeta"/*.dll "$carpeta"/*/*.dll

# The licences of what is shipped.
mkdir -p "$carpeta/licencias/qt"
cp "$prefijo_qt"/licencias/* "$carpeta/licencias/qt/"
rm -f "$carpeta/licencias/qt/LicenseRef-Qt-Commercial.txt"
cp "$prefijo_mariadb/COPYING.LIB" "$carpeta/licencias/mariadb-connector-c.txt"
cp /usr/share/doc/gcc-mingw-w64-base/copyright "$carpeta/licencias/gcc-runtime.txt"
cp /usr/share/doc/mingw-w64-x86-64-dev/copyright "$carpeta/licencias/mingw-w64.txt"
cp /usr/share/common-licenses/GPL-3 "$carpeta/licencias/GPL-3.txt"
cp /usr/share/common-licenses/LGPL-2.1 "$carpeta/licencias/LGPL-2.1.txt"

# Every DLL a shipped file imports must travel with it or come with Windows.
"$raiz/tools/windows/dlls-faltantes.sh" "$carpeta" || falla "a la carpeta del programa le faltan bibliotecas"

aviso "Haciendo $nombre.zip"
(cd "$salida" && find "$nombre" -exec touch -d "@$(git -C "$raiz" log -1 --format=%ct 2>/dev/null || date +%s)" {} + &&
    find "$nombre" -type f | LC_ALL=C sort | zip -q -X -9 "$nombre.zip" -@)

aviso "Haciendo el instalador repieps-$version-instalador.exe"
# The uninstaller removes exactly the files installed, deepest folders last.
archivos="$salida/archivos-instalados.nsh"
(cd "$carpeta" && {
    find . -type f | LC_ALL=C sort | sed -e 's|^\./||' -e 's|/|\\|g' -e 's|.*|    Delete "$INSTDIR\\&"|'
    find . -mindepth 1 -type d | LC_ALL=C sort -r | sed -e 's|^\./||' -e 's|/|\\|g' -e 's|.*|    RMDir "$INSTDIR\\&"|'
}) >"$archivos"
makensis -V2 -DVERSION="$version" -DORIGEN="$carpeta" -DSALIDA="$salida/repieps-$version-instalador.exe" \
    -DICONO="$raiz/src/app/repieps.ico" -DARCHIVOS="$archivos" "$raiz/tools/windows/instalador.nsi" >&2 ||
    falla "makensis no pudo hacer el instalador"

aviso "Listo ($(duracion $(( $(date +%s) - inicio )))):"
ls -l "$salida/$nombre.zip" "$salida/repieps-$version-instalador.exe" | awk '{printf "  %s  %6.1f MB\n", $NF, $5/1048576}' >&2
