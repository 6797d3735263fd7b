# Shared by the Windows build scripts (sourced, not run): where things live and the small helpers
# every step uses. Every message is in Spanish; every step can be repeated.

raiz=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
triple=x86_64-w64-mingw32
version_qt=6.4.2
version_mariadb=10.11.18
version_xlsxwriter=1.1.4

# The cross-built libraries live outside the work tree, once per machine (REPIEPS_CACHE moves them).
cache=${REPIEPS_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/repieps}
prefijo_qt="$cache/qt-$version_qt-mingw64"
prefijo_mariadb="$cache/mariadb-connector-$version_mariadb-mingw64"
prefijo_xlsxwriter="$cache/xlsxwriter-$version_xlsxwriter-mingw64"
fuentes="$cache/fuentes"
sello_qt="$prefijo_qt/.repieps-listo"
sello_xlsxwriter="$prefijo_xlsxwriter/.repieps-listo"
toolchain="$raiz/cmake/mingw-w64-x86_64.cmake"

compilacion="${REPIEPS_COMPILACION_WINDOWS:-$raiz/build-windows}"
# Wine keeps its own Windows (registry, C:\, user folders) in this prefix.
export WINEPREFIX="${WINEPREFIX:-$cache/wine}"
export WINEARCH=win64
export WINEDEBUG="${WINEDEBUG:--all}"

aviso() { printf '%s\n' "$*" >&2; }
falla() { printf 'Error: %s\n' "$*" >&2; exit 1; }

sudo_() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }

# Installs the Debian packages given that are missing.
instalar_paquetes() {
    local faltan=() p
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || faltan+=("$p")
    done
    [ ${#faltan[@]} -eq 0 ] && return 0
    aviso "Instalando: ${faltan[*]}"
    sudo_ apt-get update -qq
    DEBIAN_FRONTEND=noninteractive sudo_ apt-get install -y -qq --no-install-recommends "${faltan[@]}" >/dev/null
}

paquetes_cruzados=(g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
                   cmake ninja-build qt6-base-dev qt6-base-dev-tools dpkg-dev xz-utils libz-mingw-w64-dev)

# Seconds as "12 min 5 s".
duracion() { local s=$1; if [ "$s" -ge 60 ]; then echo "$((s / 60)) min $((s % 60)) s"; else echo "$s s"; fi; }

# Everything the Windows build needs is in the cache: the cross Qt (with the MariaDB client) and
# the workbook library. Qt is the long part (half an hour and more); once it is there, what may
# still be missing builds in a minute or two (qt_compilado).
qt_compilado() { [ -f "$sello_qt" ]; }
qt_listo() { qt_compilado && [ -f "$sello_xlsxwriter" ]; }
