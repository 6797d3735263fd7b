#!/usr/bin/env bash
# Starts or stops a private MariaDB server whose data, socket and log live in one folder.
# No system service is touched: the server listens on a free loopback port, and is stopped by
# the PID it wrote.
#
#   tools/servidor-bd.sh iniciar DIR    start (or reuse) the server of DIR; prints its port
#   tools/servidor-bd.sh detener DIR    stop it
#   tools/servidor-bd.sh puerto DIR     print the port of the running server
#
# Clients connect as user "repieps" (or "root", as a fresh installation would) with an empty
# password on 127.0.0.1 and that port.
set -euo pipefail

accion=${1:-}
dir=${2:-}
[ -n "$accion" ] && [ -n "$dir" ] || { echo "uso: $0 iniciar|detener|puerto DIR" >&2; exit 2; }
mkdir -p "$dir"
dir=$(cd "$dir" && pwd)
datos="$dir/datos"
socket="$dir/mariadb.sock"
pidfile="$dir/mariadb.pid"
puertofile="$dir/puerto"

buscar() {
    for d in /usr/sbin /usr/bin /usr/local/sbin /usr/local/bin; do
        [ -x "$d/$1" ] && { echo "$d/$1"; return 0; }
    done
    command -v "$1" || return 1
}

vivo() {
    [ -f "$pidfile" ] || return 1
    local pid estado
    pid=$(cat "$pidfile")
    kill -0 "$pid" 2>/dev/null || return 1
    # A server that was killed but not yet reaped by its parent still answers kill -0: as a
    # zombie it is gone all the same.
    if [ -r "/proc/$pid/stat" ]; then
        read -r _ _ estado _ <"/proc/$pid/stat" || return 1
        [ "$estado" != Z ] || return 1
    fi
    # It must also still answer on its socket.
    [ -S "$socket" ] || return 1
}

# A port nobody listens on, below the system's range of client ports (32768 and up on Linux): a
# port there can be free to connect to and still be taken, as the local end of a connection.
puerto_libre() {
    local p
    for _ in $(seq 1 200); do
        p=$(( 20000 + RANDOM % 12000 ))
        if ! (exec 3<>"/dev/tcp/127.0.0.1/$p") 2>/dev/null; then
            echo "$p"
            return 0
        fi
    done
    return 1
}

iniciar() {
    if vivo && [ -f "$puertofile" ]; then
        cat "$puertofile"
        return 0
    fi
    local mariadbd install cliente
    mariadbd=$(buscar mariadbd) || { echo "No se encontró mariadbd (paquete mariadb-server)." >&2; exit 1; }
    install=$(buscar mariadb-install-db) || { echo "No se encontró mariadb-install-db." >&2; exit 1; }
    cliente=$(buscar mariadb) || { echo "No se encontró el cliente mariadb." >&2; exit 1; }
    if [ ! -d "$datos/mysql" ]; then
        rm -rf "$datos"
        "$install" --no-defaults --datadir="$datos" --user="$(id -un)" \
            --auth-root-authentication-method=normal --skip-test-db >"$dir/install.log" 2>&1 \
            || { cat "$dir/install.log" >&2; exit 1; }
    fi
    # Another server may take the chosen port before this one binds it: then it ends at once, and
    # another port is tried.
    local puerto pid intento
    for intento in 1 2 3 4 5; do
        puerto=$(puerto_libre) || { echo "No hay un puerto libre." >&2; exit 1; }
        rm -f "$socket" "$pidfile"
        "$mariadbd" --no-defaults --datadir="$datos" --socket="$socket" --pid-file="$pidfile" \
            --port="$puerto" --bind-address=127.0.0.1 --user="$(id -un)" --skip-name-resolve \
            --character-set-server=utf8mb4 --collation-server=utf8mb4_general_ci \
            --innodb-buffer-pool-size=128M --innodb-log-file-size=48M --innodb-flush-log-at-trx-commit=2 \
            --skip-log-bin --log-error="$dir/error.log" >/dev/null 2>&1 &
        pid=$!
        for _ in $(seq 1 300); do
            if "$cliente" --no-defaults -S "$socket" -u root -e "SELECT 1" >/dev/null 2>&1; then
                break 2
            fi
            kill -0 "$pid" 2>/dev/null || break
            sleep 0.1
        done
        kill -0 "$pid" 2>/dev/null && break
        echo "El servidor no arrancó en el puerto $puerto (intento $intento); se prueba otro." >&2
    done
    "$cliente" --no-defaults -S "$socket" -u root -e \
        "CREATE USER IF NOT EXISTS 'repieps'@'127.0.0.1' IDENTIFIED BY '';
         GRANT ALL PRIVILEGES ON *.* TO 'repieps'@'127.0.0.1' WITH GRANT OPTION;
         CREATE USER IF NOT EXISTS 'root'@'127.0.0.1' IDENTIFIED BY '';
         GRANT ALL PRIVILEGES ON *.* TO 'root'@'127.0.0.1' WITH GRANT OPTION;" \
        || { echo "El servidor no arrancó; vea $dir/error.log" >&2; tail -20 "$dir/error.log" >&2 || true; exit 1; }
    echo "$puerto" >"$puertofile"
    echo "$puerto"
}

detener() {
    if vivo; then
        local pid
        pid=$(cat "$pidfile")
        kill "$pid" 2>/dev/null || true
        for _ in $(seq 1 300); do
            kill -0 "$pid" 2>/dev/null || break
            sleep 0.1
        done
        kill -9 "$pid" 2>/dev/null || true
    fi
    rm -f "$puertofile" "$pidfile"
}

case "$accion" in
    iniciar) iniciar ;;
    detener) detener ;;
    puerto) vivo && cat "$puertofile" || { echo "El servidor de $dir no está en marcha." >&2; exit 1; } ;;
    *) echo "uso: $0 iniciar|detener|puerto DIR" >&2; exit 2 ;;
esac
