#!/usr/bin/env bash
# The installer as a user meets it, under Wine: a silent install, the Start-menu entry and the
# uninstaller, a report written by the installed repieps-cli.exe into the user's documents (the
# same files as LINUX, a folder written by the Linux program for the same request), and a silent
# uninstall that removes the program and keeps the user's files.
#
#   tools/windows/prueba-instalador.sh INSTALADOR /AllUsers|/CurrentUser PUERTO BASE LINUX
set -euo pipefail
source "$(dirname "$0")/comun.sh"
source "$(dirname "$0")/wine.sh"
[ $# -eq 5 ] || { aviso "uso: $0 INSTALADOR /AllUsers|/CurrentUser PUERTO BASE CARPETA-LINUX"; exit 2; }
instalador=$1 modo=$2 puerto=$3 base=$4 linux=$5
preparar_wine

fallas=0
mal() { printf '  MAL: %s\n' "$*" >&2; fallas=$((fallas + 1)); }
c="$WINEPREFIX/drive_c"
usuario=$(ls "$c/users" | grep -vx Public | head -n 1)
case $modo in
    /AllUsers) destino="$c/Program Files/repieps"
               menu="$c/ProgramData/Microsoft/Windows/Start Menu/Programs"
               raiz_reg=HKLM ;;
    /CurrentUser) destino="$c/users/$usuario/AppData/Local/Programs/repieps"
                  menu="$c/users/$usuario/AppData/Roaming/Microsoft/Windows/Start Menu/Programs"
                  raiz_reg=HKCU ;;
    *) aviso "modo desconocido: $modo"; exit 2 ;;
esac
clave="$raiz_reg\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\repieps"
documentos="$c/users/$usuario/Documents/repieps"
configuracion="$c/users/$usuario/AppData/Local/repieps"
rm -rf "$documentos" "$configuracion"

wine "$instalador" /S "$modo" >/dev/null 2>&1 || mal "el instalador terminó con error"
wineserver -w
for f in repieps.exe repieps-cli.exe desinstalar.exe Qt6Core.dll Qt6Network.dll libmariadb.dll platforms/qwindows.dll \
         sqldrivers/qsqlmysql.dll tls/qschannelbackend.dll licencias/mariadb-connector-c.txt; do
    [ -f "$destino/$f" ] || mal "no se instaló $destino/$f"
done
[ -f "$menu/Reporte especial de IEPS.lnk" ] || mal "no está la entrada del menú Inicio en $menu"
wine reg query "$clave" /v DisplayName 2>/dev/null | grep -q "Reporte especial de IEPS" ||
    mal "Windows no lista el programa en $clave"

# A first run as a user meets it: the installed program makes its settings file in the user's
# folder, pointing at the point-of-sale's default folder, and says what is missing. It cannot tell
# an installation by the rights on its folder under Wine, which has none: the uninstaller beside
# it is what tells it.
cli() { wine "$destino/repieps-cli.exe" --desde 01/01/2018 --hasta 31/03/2018 "$@" 2>"$c/repieps-err.txt" | tr -d '\r'; }
nubora="$c/nuborapremium"
rm -rf "$nubora"
! cli >/dev/null || mal "la primera corrida, sin la instalación del punto de venta, terminó bien"
ini="$configuracion/repieps.ini"
if grep -aq 'Ruta de Nubora Premium=C:\\nuborapremium' "$ini" 2>/dev/null; then
    # The point-of-sale's installation, and the database named in the settings.
    mkdir -p "$nubora"
    printf '[Datos]\r\nMySQLServer=127.0.0.1\r\nMySQLPuerto=%s\r\nMySQLUsuario=242A056B2D\r\nMySQLPassword=EC\r\n' \
        "$puerto" >"$nubora/NuboraPremium.ini"
    # (The first run stops before it writes the database's key.)
    if grep -aq '^Base de datos principal=' "$ini"; then
        sed -i "s/^Base de datos principal=[^\r]*/Base de datos principal=$base/" "$ini"
    else
        printf 'Base de datos principal=%s\r\n' "$base" >>"$ini"
    fi
    salida=$(cli) || mal "repieps-cli.exe instalado terminó con error: $(cat "$c/repieps-err.txt")"
    ruta=$(sed -n 's/^Reporte: //p' <<<"$salida")
    case "$ruta" in
        *"\\Documents\\repieps\\"*) ;;
        *) mal "el reporte no quedó en Documentos\\repieps: «$ruta»" ;;
    esac
    diff -r "$documentos" "$linux" >/dev/null || mal "los archivos de $documentos no son los de Linux"
else
    mal "la primera corrida no dejó $ini con la carpeta de omisión C:\\nuborapremium"
fi
rm -rf "$nubora" "$c/repieps-err.txt"

uninst="$destino/desinstalar.exe"
wine "$uninst" /S >/dev/null 2>&1 || mal "el desinstalador terminó con error"
# It copies itself to a temporary folder and finishes from there.
wineserver -w
[ ! -e "$destino" ] || mal "quedó $destino: $(cd "$destino" && find . | head -5 | tr '\n' ' ')"
[ ! -e "$menu/Reporte especial de IEPS.lnk" ] || mal "quedó la entrada del menú Inicio"
! wine reg query "$clave" >/dev/null 2>&1 || mal "quedó $clave en el registro"
[ -n "$(ls "$documentos" 2>/dev/null)" ] || mal "la desinstalación borró los reportes del usuario"
[ -f "$configuracion/repieps.ini" ] || mal "la desinstalación borró la configuración del usuario"
rm -rf "$documentos" "$configuracion"
exit $((fallas > 0))
