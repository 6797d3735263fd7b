#!/usr/bin/env bash
# Demostración de repieps con una base de ejemplo.
#
#   tools/demo.sh            instala lo que falte, compila (build/), arranca un servidor MariaDB
#                            privado en .demo/servidor, crea la base repieps_demo (solo la primera
#                            vez), escribe build/bin/repieps.ini y .demo/nubora/NuboraPremium.ini,
#                            y abre el programa de escritorio (con $DISPLAY) o genera el reporte
#                            de clientes del primer trimestre de 2018 con repieps-cli.
#   tools/demo.sh detener    detiene el servidor de la demostración.
#
# Variables: REPIEPS_BUILD (carpeta de compilación, por omisión build/), REPIEPS_DEMO_PAGOS
# (pagos de clientes de la base de ejemplo, por omisión 2000; solo al crearla).
set -euo pipefail

raiz=$(cd "$(dirname "$0")/.." && pwd)
build=${REPIEPS_BUILD:-$raiz/build}
demo=$raiz/.demo
servidor=$demo/servidor
nubora=$demo/nubora
base=repieps_demo
semilla=2018
pagos=${REPIEPS_DEMO_PAGOS:-2000}
desde=01/01/2018
hasta=31/03/2018

uso() { echo "uso: $0 [detener]" >&2; exit 2; }

case "${1:-}" in
    "") ;;
    detener)
        "$raiz/tools/servidor-bd.sh" detener "$servidor"
        echo "Servidor de la demostración detenido."
        exit 0 ;;
    *) uso ;;
esac

# Escribe CLAVE=VALOR en la sección de un archivo INI, conservando lo demás (otras claves,
# comentarios, posiciones de ventanas que el programa haya guardado).
poner_ini() {
    local archivo=$1 seccion=$2 clave=$3 valor=$4 tmp
    tmp=$(mktemp "$archivo.XXXXXX")
    [ -f "$archivo" ] || : >"$archivo"
    awk -v sec="$seccion" -v clave="$clave" -v valor="$valor" '
        function cerrar() { if (dentro && !hecho) { print clave "=" valor; hecho = 1 } }
        /^[ \t]*\[/ {
            cerrar()
            nombre = $0; sub(/^[ \t]*\[/, "", nombre); sub(/\][ \t\r]*$/, "", nombre)
            dentro = (tolower(nombre) == tolower(sec)); if (dentro) visto = 1
            print; next
        }
        dentro && !hecho {
            k = $0; sub(/=.*/, "", k); gsub(/^[ \t]+|[ \t]+$/, "", k)
            if (index($0, "=") && tolower(k) == tolower(clave)) { print clave "=" valor; hecho = 1; next }
        }
        { print }
        END {
            cerrar()
            if (!visto) print "[" sec "]" ORS clave "=" valor
        }' "$archivo" >"$tmp"
    mv "$tmp" "$archivo"
}

echo "== Dependencias" >&2
"$raiz/tools/dependencias.sh"

echo "== Compilación en $build" >&2
if [ ! -f "$build/build.ninja" ]; then
    cmake -S "$raiz" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build "$build" --target repieps repieps-cli repieps-generador

echo "== Servidor de base de datos en $servidor" >&2
puerto=$("$raiz/tools/servidor-bd.sh" iniciar "$servidor")
cliente=(mariadb --no-defaults -h 127.0.0.1 -P "$puerto" -u root --default-character-set=utf8mb4)

marca=$servidor/$base.cargada
existe=$("${cliente[@]}" -N -e "SELECT COUNT(*) FROM information_schema.SCHEMATA WHERE SCHEMA_NAME='$base'")
if [ ! -f "$marca" ] || [ "$existe" != 1 ]; then
    echo "== Creando la base $base ($pagos pagos de clientes, semilla $semilla)" >&2
    rm -f "$marca"
    "${cliente[@]}" -e "DROP DATABASE IF EXISTS $base; CREATE DATABASE $base CHARACTER SET utf8mb4"
    { cat "$raiz/tools/esquema.sql"
      "$build/bin/repieps-generador" --semilla "$semilla" --pagos "$pagos"
    } | "${cliente[@]}" "$base"
    date '+%F %T' >"$marca"
else
    echo "== La base $base ya existe; se reutiliza" >&2
fi

# Configuración del programa y de la instalación de punto de venta que usa.
mkdir -p "$nubora"
ini_nubora=$nubora/NuboraPremium.ini
poner_ini "$ini_nubora" Datos MySQLServer 127.0.0.1
poner_ini "$ini_nubora" Datos MySQLPuerto "$puerto"
ini=$build/bin/repieps.ini
poner_ini "$ini" "Configuración" "Ruta de Nubora Premium" "$nubora"
poner_ini "$ini" "Configuración" "Base de datos principal" "$base"

cat >&2 <<FIN

Base de ejemplo: $base en 127.0.0.1:$puerto (usuario root o repieps, sin contraseña)
Configuración:   $ini
Instalación:     $ini_nubora
Para detener el servidor: tools/demo.sh detener

FIN

if [ -n "${DISPLAY:-}" ]; then
    # -kvrs (modo de desarrollo) deja puestas las fechas del trimestre de ejemplo.
    echo "== Abriendo el programa de escritorio (fechas del ejemplo: $desde a $hasta)" >&2
    cd "$build/bin"
    exec ./repieps -kvrs
fi

reportes=$demo/reportes
mkdir -p "$reportes"
echo "== Reporte de clientes del $desde al $hasta (sin pantalla: repieps-cli)" >&2
set +e
"$build/bin/repieps-cli" --desde "$desde" --hasta "$hasta" --config "$ini" --carpeta "$reportes" \
    --archivo Reporte-CT-demo.txt --estadisticas 2>"$reportes/mensajes.txt"
rc=$?
set -e
# Los mensajes van completos a mensajes.txt; aquí se muestran sin la lista de claves de productos.
grep -v '^[0-9A-Z-]*$' "$reportes/mensajes.txt" >&2 || true
faltan=$(grep -c '^[0-9A-Z-]*$' "$reportes/mensajes.txt" || true)
[ "${faltan:-0}" -gt 0 ] && echo "($faltan renglones con productos inexistentes; lista completa en $reportes/mensajes.txt)" >&2
case $rc in
    0) echo "Listo. El reporte y el log están en las rutas de arriba." >&2 ;;
    3) echo "Ningún pago del periodo cumple las condiciones." >&2 ;;
    *) echo "repieps-cli terminó con el código $rc." >&2 ;;
esac
exit $rc
