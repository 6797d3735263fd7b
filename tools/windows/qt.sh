#!/usr/bin/env bash
# Builds, once per machine, what the Windows program is built with: the MariaDB client library
# (libmariadb.dll), Qt for 64-bit Windows (with its MySQL driver) and the Excel workbook library
# (libxlsxwriter, static, with the MinGW zlib of libz-mingw-w64-dev), all from Debian's own sources
# of the versions the Linux program uses, cross-compiled with MinGW-w64. They go to a cache folder
# outside the work tree ($REPIEPS_CACHE, by default ~/.cache/repieps); a stamp marks each finished
# step, and later calls return at once, so an interrupted build goes on where it stopped. On a
# machine that has Qt already, only the missing small steps are built (a minute or two).
#
#   tools/windows/qt.sh              build what is missing
#   tools/windows/qt.sh --ruta       print the Qt folder (nothing is built)
#   tools/windows/qt.sh --listo      exit 0 when everything is built already, 1 otherwise (nothing is built)
#   tools/windows/qt.sh --qt-listo   exit 0 when Qt is built, the long part (nothing is built)
set -euo pipefail
source "$(dirname "$0")/comun.sh"

case "${1:-}" in
    --ruta) echo "$prefijo_qt"; exit 0 ;;
    --listo) qt_listo; exit ;;
    --qt-listo) qt_compilado; exit ;;
esac
[ $# -eq 0 ] || { aviso "uso: $0 [--ruta|--listo|--qt-listo]"; exit 2; }

if qt_listo; then
    aviso "Qt $version_qt para Windows y sus bibliotecas ya están compilados en $cache"
    exit 0
fi

inicio=$(date +%s)
instalar_paquetes "${paquetes_cruzados[@]}"
mkdir -p "$fuentes"
hilos=$(nproc 2>/dev/null || echo 2)

# apt-get source needs deb-src lines: they are added for the mirrors the machine already uses.
asegurar_fuentes_apt() {
    apt-cache showsrc qt6-base 2>/dev/null | grep -q '^Package: qt6-base' && return 0
    aviso "Agregando las fuentes (deb-src) de los repositorios de Debian que ya usa esta máquina"
    local f nuevo
    for f in /etc/apt/sources.list.d/*.sources; do
        [ -f "$f" ] || continue
        grep -q '^Types:.*\bdeb\b' "$f" || continue
        nuevo="/etc/apt/sources.list.d/repieps-fuentes-$(basename "$f")"
        sed -E 's/^Types:.*/Types: deb-src/' "$f" | sudo_ tee "$nuevo" >/dev/null
    done
    if [ -f /etc/apt/sources.list ] && grep -q '^deb ' /etc/apt/sources.list; then
        sed -n 's/^deb /deb-src /p' /etc/apt/sources.list | sudo_ tee /etc/apt/sources.list.d/repieps-fuentes.list >/dev/null
    fi
    sudo_ apt-get update -qq
    apt-cache showsrc qt6-base 2>/dev/null | grep -q '^Package: qt6-base' ||
        falla "apt no encuentra las fuentes de qt6-base; agregue una línea deb-src del mismo espejo de Debian"
}

# Debian's source of a package, unpacked with Debian's patches, in $fuentes/<carpeta>.
bajar_fuente() {
    local paquete=$1 version=$2 carpeta=$3
    [ -f "$fuentes/$carpeta/.repieps-listo" ] && return 0
    asegurar_fuentes_apt
    aviso "Bajando las fuentes de $paquete $version"
    rm -rf "${fuentes:?}/$carpeta"
    (cd "$fuentes" && apt-get source -qq --download-only "$paquete=$version" >/dev/null 2>&1) ||
        falla "no se pudieron bajar las fuentes de $paquete $version (¿hay conexión con el espejo de Debian?)"
    local dsc
    dsc=$(ls "$fuentes"/"${paquete}"_*.dsc | head -n 1)
    (cd "$fuentes" && dpkg-source --no-check -x "$(basename "$dsc")" "$carpeta" >/dev/null) ||
        falla "no se pudieron desempacar las fuentes de $paquete"
    touch "$fuentes/$carpeta/.repieps-listo"
}

compilar_mariadb() {
    [ -f "$prefijo_mariadb/.repieps-listo" ] && return 0
    bajar_fuente mariadb "1:$version_mariadb-0+deb12u1" "mariadb-$version_mariadb"
    aviso "Compilando la biblioteca cliente de MariaDB (libmariadb.dll)"
    local b="$cache/compilacion/mariadb"
    rm -rf "$b" "$prefijo_mariadb"
    # The authentication plugins MySQL 8 and MariaDB servers may ask for are built into the DLL, so
    # no plugin folder has to travel with the program.
    cmake -S "$fuentes/mariadb-$version_mariadb/libmariadb" -B "$b" -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_INSTALL_PREFIX="$prefijo_mariadb" \
        -DWITH_UNIT_TESTS=OFF -DWITH_SSL=SCHANNEL -DWITH_CURL=OFF \
        -DCLIENT_PLUGIN_CACHING_SHA2_PASSWORD=STATIC -DCLIENT_PLUGIN_SHA256_PASSWORD=STATIC \
        -DCLIENT_PLUGIN_CLIENT_ED25519=STATIC -DCLIENT_PLUGIN_DIALOG=STATIC \
        -DCLIENT_PLUGIN_MYSQL_CLEAR_PASSWORD=STATIC >"$cache/mariadb-configuracion.log" 2>&1 ||
        falla "la configuración de libmariadb falló; vea $cache/mariadb-configuracion.log"
    cmake --build "$b" -j "$hilos" >"$cache/mariadb-compilacion.log" 2>&1 ||
        falla "la compilación de libmariadb falló; vea $cache/mariadb-compilacion.log"
    cmake --install "$b" >/dev/null
    cp "$fuentes/mariadb-$version_mariadb/libmariadb/COPYING.LIB" "$prefijo_mariadb/COPYING.LIB"
    touch "$prefijo_mariadb/.repieps-listo"
}

# libxlsxwriter as a static library: nothing more to ship beside the programs. Its own minizip and
# temporary files; zlib is MinGW's (libz-mingw-w64-dev).
compilar_xlsxwriter() {
    [ -f "$sello_xlsxwriter" ] && return 0
    bajar_fuente libxlsxwriter "$version_xlsxwriter-2" "libxlsxwriter-$version_xlsxwriter"
    aviso "Compilando libxlsxwriter $version_xlsxwriter para Windows"
    local b="$cache/compilacion/xlsxwriter"
    rm -rf "$b" "$prefijo_xlsxwriter"
    cmake -S "$fuentes/libxlsxwriter-$version_xlsxwriter" -B "$b" -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_INSTALL_PREFIX="$prefijo_xlsxwriter" \
        -DBUILD_SHARED_LIBS=OFF -DBUILD_TESTS=OFF -DBUILD_EXAMPLES=OFF -DUSE_SYSTEM_MINIZIP=OFF \
        >"$cache/xlsxwriter-configuracion.log" 2>&1 ||
        falla "la configuración de libxlsxwriter falló; vea $cache/xlsxwriter-configuracion.log"
    cmake --build "$b" -j "$hilos" >"$cache/xlsxwriter-compilacion.log" 2>&1 ||
        falla "la compilación de libxlsxwriter falló; vea $cache/xlsxwriter-compilacion.log"
    cmake --install "$b" >>"$cache/xlsxwriter-compilacion.log" 2>&1 ||
        falla "la instalación de libxlsxwriter falló; vea $cache/xlsxwriter-compilacion.log"
    cp "$fuentes/libxlsxwriter-$version_xlsxwriter/License.txt" "$prefijo_xlsxwriter/License.txt" 2>/dev/null || true
    touch "$sello_xlsxwriter"
}

compilar_qt() {
    bajar_fuente qt6-base "$version_qt+dfsg-10" "qt6-base-$version_qt"
    local src="$fuentes/qt6-base-$version_qt" b="$cache/compilacion/qt"
    # Qt 6.4.2 links the DirectWrite font database into the Windows plugin only with Direct2D,
    # but names it without that condition.
    if [ ! -f "$src/.repieps-parche" ]; then
        patch -d "$src" -p1 -s <"$raiz/tools/windows/qwindows-sin-direct2d.patch"
        touch "$src/.repieps-parche"
    fi
    if [ ! -f "$b/.repieps-configurado" ]; then
        aviso "Configurando Qt $version_qt para Windows (alrededor de un minuto)"
        rm -rf "$b"; mkdir -p "$b"
        local mysql_lib
        mysql_lib="$prefijo_mariadb/lib/mariadb/liblibmariadb.dll.a"
        [ -f "$mysql_lib" ] || falla "no se encontró $mysql_lib"
        # Only the host's own .pc files would be found; the MySQL client is named explicitly.
        (cd "$b" && PKG_CONFIG_LIBDIR="$prefijo_mariadb/lib/pkgconfig" "$src/configure" \
            -prefix "$prefijo_qt" -xplatform win32-g++ -qt-host-path /usr \
            -release -shared -nomake examples -nomake tests \
            -no-opengl -no-dbus -no-icu -no-freetype -no-fontconfig \
            -qt-zlib -qt-pcre -qt-libpng -qt-libjpeg -qt-harfbuzz \
            -no-feature-tabletevent -no-feature-concurrent \
            -sql-mysql -no-sql-odbc -no-sql-psql -no-sql-sqlite \
            -- -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
            -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/$(dpkg-architecture -qDEB_HOST_MULTIARCH)/cmake \
            -DMySQL_INCLUDE_DIR="$prefijo_mariadb/include/mariadb" -DMySQL_LIBRARY="$mysql_lib" \
            >"$cache/qt-configuracion.log" 2>&1) ||
            falla "la configuración de Qt falló; vea $cache/qt-configuracion.log"
        grep -Eq 'MySql[ .]+ yes' "$cache/qt-configuracion.log" ||
            falla "Qt quedó configurado sin el controlador MySQL; vea $cache/qt-configuracion.log"
        touch "$b/.repieps-configurado"
    fi
    aviso "Compilando Qt $version_qt para Windows ($hilos hilos; de 25 minutos a más de una hora)"
    aviso "  avance en $cache/qt-compilacion.log"
    local log="$cache/qt-compilacion.log" pid desde avance
    desde=$(date +%s)
    cmake --build "$b" --parallel "$hilos" >"$log" 2>&1 &
    pid=$!
    # Ninja's "[hechos/total]" once a minute, so that an hour of work shows it is alive.
    while kill -0 "$pid" 2>/dev/null; do
        for _ in $(seq 60); do kill -0 "$pid" 2>/dev/null && sleep 1; done
        avance=$(tail -n 20 "$log" | grep -o '^\[[0-9]*/[0-9]*\]' | tail -n 1 || true)
        [ -z "$avance" ] || aviso "  Qt: $avance pasos, $(duracion $(( $(date +%s) - desde )))"
    done
    wait "$pid" || falla "la compilación de Qt falló; vea $log"
    cmake --install "$b" >"$cache/qt-instalacion.log" 2>&1 ||
        falla "la instalación de Qt falló; vea $cache/qt-instalacion.log"
    mkdir -p "$prefijo_qt/licencias"
    cp "$src"/LICENSES/* "$prefijo_qt/licencias/" 2>/dev/null || true
}

if ! qt_compilado; then
    compilar_mariadb
    compilar_qt
    touch "$sello_qt"
fi
compilar_xlsxwriter
aviso "Qt $version_qt para Windows y sus bibliotecas quedaron en $cache ($(duracion $(( $(date +%s) - inicio ))))"
