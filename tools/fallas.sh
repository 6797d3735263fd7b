#!/usr/bin/env bash
# Replays the list of hand-made faults in tools/fallas/: each file there is a small patch that looks
# like a bug this program could really have (a rounding, a check digit, an escape, an encoding, an
# order, a flush, an exit status...), with a first line that says what it breaks and a second line
# "Atrapa: TestX ..." that names the tests expected to catch it. A fault that only Windows can show
# (a hidden file) says "Atrapa en Windows: <the step of tools/windows/pruebas.sh>": it is listed
# here, not replayed. For each fault, a copy of the sources
# gets the patch; the tests it names are built and run; when none of them fails, everything is built
# and the whole suite runs until its first failure. A fault that builds and passes every test is a
# fault the suite does not catch.
#
#   tools/fallas.sh [--carpeta DIR] [--sin-base] [FALLA ...]
#
# FALLA: a fault's number, or a file name in tools/fallas/ or a part of it; none means all of them. DIR (build-fallas/ at
# the top of the sources unless given) keeps the copy, with its build in DIR/build, between runs, so a
# run rebuilds only what a fault touches. The whole suite runs first on the copy without faults (--sin-base skips
# it): a suite that fails without a fault would make every fault look caught.
# CMAKE_CXX_COMPILER_LAUNCHER (e.g. ccache) is honoured by the first configure, as CMake does.
#
# Prints one line per fault: caught (and by which test), not caught, does not apply or does not
# build. Exit status 0 when every fault was caught, 1 otherwise.
set -euo pipefail
raiz=$(cd "$(dirname "$0")/.." && pwd)
carpeta="$raiz/build-fallas"
base=1
elegidas=()
while [ $# -gt 0 ]; do
    case "$1" in
        --carpeta) carpeta=$(realpath -m "$2"); shift 2 ;;
        --sin-base) base=0; shift ;;
        -h|--help) sed -n '2,21p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
        *) elegidas+=("$1"); shift ;;
    esac
done

fallas=()
for f in "$raiz"/tools/fallas/*.patch; do
    nombre=$(basename "$f")
    if [ ${#elegidas[@]} -eq 0 ]; then
        fallas+=("$f")
    else
        for e in "${elegidas[@]}"; do
            # A bare number names one fault ("12" is 12-..., not 04-...-12...).
            case "$e" in
                *[!0-9]*) patron="*$e*" ;;
                *) patron="$e-*" ;;
            esac
            # shellcheck disable=SC2254
            case "$nombre" in $patron) fallas+=("$f"); break ;; esac
        done
    fi
done
[ ${#fallas[@]} -gt 0 ] || { echo "Ninguna falla coincide con: ${elegidas[*]}" >&2; exit 1; }

fuente="$carpeta"
build="$carpeta/build"
mkdir -p "$fuente"
# Only files whose content differs are copied, and they get the current time: what a fault left
# behind (a run that was stopped) is rebuilt, what did not change is not.
rsync -rc --delete --exclude='/build*/' --exclude='/.git' --exclude='/.demo/' "$raiz"/ "$fuente"/
cmake -S "$fuente" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

# Builds the given targets (the programs the tests call among them), or everything.
compilar() {
    local objetivos=()
    [ $# -eq 0 ] || objetivos=(--target "$@" repieps-cli repieps)
    nice cmake --build "$build" "${objetivos[@]}" >"$carpeta/compilacion.log" 2>&1
}
# Runs the given tests, or the whole suite, until the first failure; prints the name of the failed
# test, or nothing.
probar() {
    local filtro=()
    [ $# -eq 0 ] || filtro=(-R "^($(IFS='|'; echo "$*"))\$")
    (cd "$build" && nice ctest --stop-on-failure --timeout 600 "${filtro[@]}" >"$carpeta/pruebas.log" 2>&1) && return 0
    # "The following tests FAILED:" is followed by "  12 - TestX (Failed)"; the last test that started
    # is the one that stopped the run when the summary is missing.
    sed -n '/The following tests FAILED/{n;p;q}' "$carpeta/pruebas.log" | sed -E 's/^[[:space:]]*[0-9]+ - ([^ ]+).*/\1/' | grep . \
        || grep -E '^ *Start +[0-9]+: ' "$carpeta/pruebas.log" | tail -n 1 | sed -E 's/.*: //'
}

if [ "$base" -eq 1 ]; then
    echo "Sin fallas: compilando y probando todo..."
    compilar || { echo "La copia sin fallas no compila: $carpeta/compilacion.log" >&2; exit 1; }
    fallo=$(probar) || true
    if [ -n "$fallo" ]; then
        echo "La copia sin fallas ya falla en $fallo: $carpeta/pruebas.log" >&2
        exit 1
    fi
fi

atrapadas=0
problemas=0
windows=0
for f in "${fallas[@]}"; do
    nombre=$(basename "$f" .patch)
    descripcion=$(head -n 1 "$f")
    if sed -n 2p "$f" | grep -q '^Atrapa en Windows:'; then
        printf '%-34s %-37s %s\n' "$nombre" "sólo en Windows" "$descripcion"
        windows=$((windows + 1))
        continue
    fi
    if ! patch -p1 -d "$fuente" --forward --batch --quiet <"$f" >/dev/null 2>&1; then
        printf '%-34s NO SE APLICA   %s\n' "$nombre" "$descripcion"
        problemas=$((problemas + 1))
        continue
    fi
    read -r -a atrapa <<<"$(sed -n '2s/^Atrapa://p' "$f")"
    fallo=
    if [ ${#atrapa[@]} -gt 0 ] && compilar "${atrapa[@]}"; then
        fallo=$(probar "${atrapa[@]}") || true
    fi
    if [ -z "$fallo" ] && ! compilar; then
        resultado="NO COMPILA     "
        problemas=$((problemas + 1))
    else
        [ -n "$fallo" ] || fallo=$(probar) || true
        if [ -n "$fallo" ]; then
            resultado="atrapada por $fallo"
            atrapadas=$((atrapadas + 1))
        else
            resultado="NO ATRAPADA    "
            problemas=$((problemas + 1))
        fi
    fi
    patch -p1 -d "$fuente" -R --batch --quiet <"$f" >/dev/null
    printf '%-34s %-36s %s\n' "$nombre" "$resultado" "$descripcion"
done
# The copy is left as the sources are, built, for the next run; a run stopped at its first failure
# did not stop its private database server.
compilar || true
"$fuente/tools/servidor-bd.sh" detener "$build/servidor-prueba" >/dev/null 2>&1 || true
echo "$atrapadas de $((${#fallas[@]} - windows)) fallas atrapadas$([ "$windows" -eq 0 ] || echo "; $windows más, sólo en Windows (tools/windows/pruebas.sh)")."
[ "$problemas" -eq 0 ]
