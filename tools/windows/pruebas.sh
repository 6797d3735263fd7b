#!/usr/bin/env bash
# Tests of the Windows program under Wine, against the same private MariaDB server as the Linux
# tests (over TCP, 127.0.0.1). Builds what is missing first (tools/windows/paquete.sh) and the Linux
# programs that the Windows ones are compared with.
#
#   tools/windows/pruebas.sh [PASO...]
#
# Steps (all by default, in this order):
#   unitarias    the test programs under Wine, by CTest (those that need a display run offscreen)
#   identidad    repieps-cli.exe and the Linux repieps-cli on the same databases (the demo's and
#                generated ones): report, log, review and exit status byte for byte
#   ini          a hidden NuboraPremium.ini under C:\nuborapremium (Windows-1252, CR LF) is found, read
#                and left byte for byte as it was
#   instalador   silent install, Start-menu entry, a report into the user's documents, silent
#                uninstall that keeps the user's files
#   ventana      the window under Wine on a virtual X server: tools/screenshot --windows
set -euo pipefail
source "$(dirname "$0")/comun.sh"

pasos=("$@")
[ ${#pasos[@]} -gt 0 ] || pasos=(unitarias identidad ini instalador ventana)
for p in "${pasos[@]}"; do
    case $p in unitarias | identidad | ini | instalador | ventana) ;; *) aviso "paso desconocido: $p"; exit 2 ;; esac
done

instalar_paquetes wine wine64 fonts-wine fonts-liberation2 xvfb xauth x11-utils xdotool imagemagick openbox \
    mariadb-server mariadb-client
"$raiz/tools/windows/paquete.sh"
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$compilacion/CMakeCache.txt")
programa="$compilacion/paquete/repieps-$version-windows-x64"
instalador="$compilacion/paquete/repieps-$version-instalador.exe"

source "$raiz/tools/windows/wine.sh"
preparar_wine

# The Linux programs, for the comparison.
linux="${REPIEPS_BUILD:-$raiz/build}"
[ -f "$linux/build.ninja" ] || cmake -S "$raiz" -B "$linux" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$linux" --target repieps-cli repieps-generador >/dev/null

servidor="$compilacion/servidor-prueba"
puerto=$("$raiz/tools/servidor-bd.sh" iniciar "$servidor")
cliente=(mariadb --no-defaults -h 127.0.0.1 -P "$puerto" -u root --default-character-set=utf8mb4)
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"; "$raiz/tools/servidor-bd.sh" detener "$servidor" >/dev/null 2>&1 || true' EXIT
fallas=0
bien() { printf '  bien: %s\n' "$*" >&2; }
mal() { printf '  MAL: %s\n' "$*" >&2; fallas=$((fallas + 1)); }

# A database from the generator (seed, customer payments, supplier payments), made once.
base_generada() {
    local base=$1 semilla=$2 pagos=$3 proveedores=$4
    [ "$("${cliente[@]}" -N -e "SELECT COUNT(*) FROM information_schema.SCHEMATA WHERE SCHEMA_NAME='$base'")" = 1 ] &&
        [ "$("${cliente[@]}" -N -e "SELECT COUNT(*) FROM $base.listo" 2>/dev/null)" = 1 ] && return 0
    "${cliente[@]}" -e "DROP DATABASE IF EXISTS $base; CREATE DATABASE $base CHARACTER SET utf8mb4"
    { cat "$raiz/tools/esquema.sql"
      "$linux/bin/repieps-generador" --semilla "$semilla" --pagos "$pagos" --pagos-proveedores "$proveedores"
      echo "CREATE TABLE listo (x INT); INSERT INTO listo VALUES (1);"
    } | "${cliente[@]}" "$base"
}

# Under Wine CTest gets nothing of what a QtTest program writes on the console: each program that
# failed runs again with its output to a file, and its failures are shown.
salida_de_las_fallas() {
    local prueba archivo
    for prueba in $(sed -n 's/^[0-9]*:\(Test[A-Za-z0-9]*\)$/\1/p' "$compilacion/Testing/Temporary/LastTestsFailed.log" 2>/dev/null); do
        archivo="$tmp/$prueba.txt"
        aviso "-- $prueba otra vez, con su salida en un archivo"
        (cd "$compilacion/tests" && QT_QPA_PLATFORM=windows REPIEPS_SERVIDOR_PRUEBA="$servidor" \
            timeout 400 wine "./$prueba.exe" -o "$(ventanas "$archivo"),txt" >/dev/null 2>&1) || true
        if [ -s "$archivo" ]; then
            # The program writes in the Windows code page.
            grep -a -A 4 '^FAIL!\|^QFATAL' "$archivo" | head -n 60 | iconv -f WINDOWS-1252 -t UTF-8 >&2 || true
            grep -a '^Totals:' "$archivo" >&2 || true
        else
            aviso "   (no escribió nada: se detuvo antes de terminar)"
        fi
    done
}

paso_unitarias() {
    aviso "== Pruebas unitarias bajo Wine (CTest en $compilacion)"
    # TestBdDiferencial compares the two ways of reading over some hundred runs of repieps-cli,
    # and under Wine every start costs seconds: the identity step compares every way of reading
    # on Windows with Linux instead. The window tests draw on a virtual X server with Windows'
    # own platform.
    local pantalla="$tmp/pantalla" xvfb
    Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$pantalla" 2>/dev/null &
    xvfb=$!
    for _ in $(seq 50); do [ -s "$pantalla" ] && break; sleep 0.1; done
    export DISPLAY=":$(head -n 1 "$pantalla")" WINEPATH="$(dlls_de_compilacion)"
    # A test program that does not end is stopped at its time limit and counted failed.
    if (cd "$compilacion" && ctest --output-on-failure --timeout 400 \
        -E '^(servidor_bd_detener|TestBdDiferencial)$'); then
        bien "pruebas unitarias"
    else
        mal "pruebas unitarias"
        salida_de_las_fallas
    fi
    wineserver -k 2>/dev/null || true
    kill "$xvfb" 2>/dev/null || true
    unset DISPLAY WINEPATH
}

# Runs one request with both programs; $1 names it, the rest are repieps-cli's options (besides
# the period, the server and the output folder).
comparar() {
    local caso=$1 base=$2; shift 2
    local dl="$tmp/$caso/linux" dw="$tmp/$caso/windows" rl rw
    mkdir -p "$dl" "$dw"
    set +e
    REPIEPS_PASSWORD= "$linux/bin/repieps-cli" --desde 01/01/2018 --hasta 31/03/2018 --servidor 127.0.0.1 \
        --puerto "$puerto" --usuario root --base "$base" --carpeta "$dl" "$@" >"$dl.out" 2>"$dl.err"
    rl=$?
    local intento
    for intento in 1 2; do
        REPIEPS_PASSWORD= wine "$programa/repieps-cli.exe" --desde 01/01/2018 --hasta 31/03/2018 --servidor 127.0.0.1 \
            --puerto "$puerto" --usuario root --base "$base" --carpeta "$(ventanas "$dw")" "$@" >"$dw.out" 2>"$dw.err"
        rw=$?
        # Once in a while Wine ends a console program at its start with status 1 and not a word
        # (seen once in many runs); the program itself never ends without saying why. That case
        # alone is run again, once, and said.
        [ "$rw" = 1 ] && [ ! -s "$dw.out" ] && [ ! -s "$dw.err" ] && [ -z "$(ls "$dw")" ] && [ "$intento" = 1 ] || break
        aviso "  $caso: Wine terminó el programa sin decir nada (salida 1); se repite una vez"
    done
    set -e
    local distintos=""
    [ "$rl" = "$rw" ] || distintos+=" código de salida ($rl en Linux, $rw en Windows)"
    # A run that fails says why in the same words (these messages name no path).
    [ "$rl" = 0 ] || cmp -s <(tr -d '\r' <"$dl.err") <(tr -d '\r' <"$dw.err") || distintos+=" mensajes"
    local a
    for a in $( (ls "$dl"; ls "$dw") | sort -u); do
        cmp -s "$dl/$a" "$dw/$a" || distintos+=" $a"
    done
    # A run that ends well writes its files; one that does not must end alike on both.
    if [ -z "$distintos" ] && { [ -n "$(ls "$dl")" ] || [ "$rl" != 0 ]; }; then
        bien "$caso: salida $rl, $(ls "$dl" | wc -l) archivos idénticos"
    else
        mal "$caso: distintos:${distintos:- ningún archivo escrito}"
        sed 's/^/    linux: /' "$dl.err" | head -5 >&2
        sed 's/^/    windows: /' "$dw.err" | head -5 >&2
    fi
}

paso_identidad() {
    aviso "== Los mismos archivos en Windows y en Linux"
    base_generada repieps_win_demo 2018 2000 0
    local b
    for b in "repieps_win_s1 1 600 300" "repieps_win_s2 2 600 300" "repieps_win_s3 3 400 400"; do
        base_generada $b
    done
    for b in repieps_win_demo repieps_win_s1 repieps_win_s2 repieps_win_s3; do
        local clave
        clave=$("${cliente[@]}" -N -e "SELECT Clave FROM $b.edoctacli GROUP BY Clave ORDER BY COUNT(*) DESC, Clave LIMIT 1")
        comparar "$b-clientes" "$b"
        comparar "$b-proveedores" "$b" --proveedores
        comparar "$b-categoria-todos" "$b" --por-categoria --todos-los-pagos
        comparar "$b-renglon" "$b" --consultas-por-renglon
        comparar "$b-clave" "$b" --clave "$clave"
        comparar "$b-proveedores-renglon" "$b" --proveedores --consultas-por-renglon --todos-los-pagos
    done
    # Failures end alike: a period without payments (3) and bad usage (2).
    comparar sin-pagos repieps_win_s1 --clave NOEXISTE
    comparar uso repieps_win_s1 --puerto
}

paso_ini() {
    aviso "== Configuración en C:\\nuborapremium"
    local c="$WINEPREFIX/drive_c/nuborapremium" d="$tmp/ini"
    mkdir -p "$c" "$d/programa" "$d/salida"
    # The point-of-sale's own file, as it writes it: Windows-1252, CR LF, an accented section.
    printf '[Datos]\r\nMySQLServer=127.0.0.1\r\nMySQLPuerto=%s\r\nMySQLUsuario=242A056B2D\r\nMySQLPassword=EC\r\nservidor=127.0.0.1\r\n\r\n[Sucursal]\r\nNombre=Abarrotes Pe\xf1a\r\n' \
        "$puerto" >"$c/NuboraPremium.ini"
    cp "$c/NuboraPremium.ini" "$d/NuboraPremium.antes"
    # Some installations keep it hidden.
    wine attrib +h 'C:\nuborapremium\NuboraPremium.ini' >/dev/null 2>&1
    # A program folder of its own with a repieps.ini that names only the database: the path of the
    # installation is the default one.
    cp -r "$programa/." "$d/programa/"
    printf '[Configuraci\xf3n]\r\nBase de datos principal=repieps_win_s1\r\n' >"$d/programa/repieps.ini"
    set +e
    wine "$d/programa/repieps-cli.exe" --desde 01/01/2018 --hasta 31/03/2018 --carpeta "$(ventanas "$d/salida")" \
        >"$d/out" 2>"$d/err"
    local rc=$?
    set -e
    if [ $rc -eq 0 ] && cmp -s "$c/NuboraPremium.ini" "$d/NuboraPremium.antes" &&
        diff -r "$d/salida" "$tmp/repieps_win_s1-clientes/linux" >/dev/null; then
        bien "NuboraPremium.ini leído de C:\\nuborapremium, intacto; el reporte es el de Linux"
    else
        mal "configuración en C:\\nuborapremium (salida $rc)"
        cat "$d/err" >&2
        cmp "$c/NuboraPremium.ini" "$d/NuboraPremium.antes" >&2 || true
    fi
    grep -aq 'Ruta de Nubora Premium=C:\\nuborapremium' "$d/programa/repieps.ini" &&
        bien "repieps.ini completado con la ruta de omisión C:\\nuborapremium" ||
        mal "repieps.ini no tiene la ruta de omisión: $(tr '\r\n' '  ' <"$d/programa/repieps.ini")"
    rm -rf "$c"
}

paso_instalador() {
    aviso "== Instalador"
    local modo
    for modo in AllUsers CurrentUser; do
        "$raiz/tools/windows/prueba-instalador.sh" "$instalador" "/$modo" "$puerto" repieps_win_s1 \
            "$tmp/repieps_win_s1-clientes/linux" && bien "instalar (/$modo), usar y desinstalar" ||
            mal "instalador (/$modo)"
    done
}

paso_ventana() {
    aviso "== La ventana bajo Wine (tools/screenshot --windows)"
    # Only the sample database is wanted: with a display, tools/demo.sh would open the window.
    env -u DISPLAY REPIEPS_BUILD="$linux" "$raiz/tools/demo.sh" >/dev/null 2>&1 </dev/null || true
    REPIEPS_BUILD="$linux" "$raiz/tools/screenshot" --windows "$programa" "$compilacion/capturas" &&
        bien "capturas en $compilacion/capturas" || mal "la ventana bajo Wine"
}

for p in "${pasos[@]}"; do
    # identidad's Linux runs are what ini and instalador compare with.
    case $p in ini | instalador) [ -d "$tmp/repieps_win_s1-clientes" ] || { base_generada repieps_win_s1 1 600 300; comparar repieps_win_s1-clientes repieps_win_s1; } ;; esac
    "paso_$p"
done
if [ $fallas -gt 0 ]; then
    aviso "Pruebas de Windows: $fallas fallaron."
    exit 1
fi
aviso "Pruebas de Windows: todo bien."
