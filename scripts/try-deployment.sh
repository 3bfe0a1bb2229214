#!/bin/bash
# Tries the deployment of deploy/ for real on this machine and cleans up after itself: a
# throw-away certificate authority and server certificate (openssl), two kalvorn-server
# processes on loopback ports behind nginx with deploy/nginx.conf (only its ports, name and
# certificate paths changed), and then checks over HTTPS what an operator relies on.
#
#   scripts/try-deployment.sh [postgresql|sqlite]   (default: postgresql)
#
# postgresql: both processes on one PostgreSQL server of the trial's own (initdb and pg_ctl in
#   a temporary directory, as the postgres user when run as root): an account made through one
#   process logs in through the other, through nginx too; deploy/backup-database.sh dumps the
#   database while the service runs, the dump is restored into a fresh database and a third
#   process serves the account from it.
# sqlite: each process on a data directory of its own, to try the front alone; the backup is
#   the online copy of one process's WAL database while requests keep writing to it.
# Both: requests are balanced over both processes, each process logs the player's address (the
#   trial's client connects from 127.0.0.5) and not nginx's, one player past its allowance is
#   refused while another is served, the session cookie is Secure, and with one process
#   stopped every request is still answered by the other.
#
# Needs nginx, openssl, curl, sqlite3, python3 and, for postgresql, Debian's PostgreSQL server.
# KALVORN_SERVER names the program (default build/bin/kalvorn-server).
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
backend=${1:-postgresql}
server=${KALVORN_SERVER:-$root/build/bin/kalvorn-server}
case $backend in postgresql | sqlite) ;; *)
    echo "usage: $0 [postgresql|sqlite]" >&2
    exit 2
    ;;
esac
[ -x "$server" ] || {
    echo "$0: no $server; build it first" >&2
    exit 1
}

# shellcheck source=../bench/server/temporary-postgres.sh
. "$root/bench/server/temporary-postgres.sh"
work=$(mktemp -d /tmp/kalvorn-deployment-XXXXXX)
server_pids=()
failures=0

cleanup() {
    set +e
    if [ -f "$work/nginx/nginx.pid" ]; then
        kill -QUIT "$(cat "$work/nginx/nginx.pid")"
        for _ in $(seq 50); do [ -f "$work/nginx/nginx.pid" ] || break; sleep 0.1; done
    fi
    for pid in "${server_pids[@]}"; do
        kill -TERM "$pid" 2>/dev/null && wait "$pid" 2>/dev/null
    done
    temporary_postgres_stop
    rm -rf "$work"
}
trap cleanup EXIT

check() {  # check DESCRIPTION EXPECTED ACTUAL
    if [ "$2" = "$3" ]; then
        echo "ok: $1"
    else
        echo "FAILED: $1: expected $2, got $3"
        failures=$((failures + 1))
    fi
}

free_port() {
    python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])'
}

# start_server NAME ARGUMENTS...: starts kalvorn-server on a free loopback port and sets $port.
start_server() {
    local name=$1
    shift
    "$server" --listen 127.0.0.1:0 --data "$work/$name" --trusted-proxy 127.0.0.1 "$@" \
        2>"$work/$name.log" &
    server_pids+=($!)
    for _ in $(seq 100); do
        port=$(sed -n 's|.*listening on http://127.0.0.1:\([0-9]*\)/.*|\1|p' "$work/$name.log")
        [ -n "$port" ] && return 0
        sleep 0.1
    done
    echo "$0: $name did not start:" >&2
    cat "$work/$name.log" >&2
    exit 1
}

# --- Certificates: a throw-away authority and a certificate for game.example.org.
mkdir "$work/tls"
openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=Kalvorn trial CA" \
    -keyout "$work/tls/ca.key" -out "$work/tls/ca.pem" 2>/dev/null
openssl req -newkey rsa:2048 -nodes -subj "/CN=game.example.org" \
    -keyout "$work/tls/privkey.pem" -out "$work/tls/server.csr" 2>/dev/null
printf 'subjectAltName=DNS:game.example.org\n' >"$work/tls/san.cnf"
openssl x509 -req -in "$work/tls/server.csr" -CA "$work/tls/ca.pem" -CAkey "$work/tls/ca.key" \
    -CAcreateserial -days 2 -extfile "$work/tls/san.cnf" -out "$work/tls/fullchain.pem" 2>/dev/null

# --- The database.
database_arguments=()
if [ "$backend" = postgresql ]; then
    temporary_postgres_start "$work/pg"
    pg_port=$postgres_port
    temporary_postgres_psql -c "CREATE DATABASE kalvorn"
    database_url="postgresql://postgres@127.0.0.1:$pg_port/kalvorn"
    database_arguments=(--database "$database_url")
fi

start_server server-1 "${database_arguments[@]}"
port_1=$port
start_server server-2 "${database_arguments[@]}"
port_2=$port
echo "service processes on 127.0.0.1:$port_1 and 127.0.0.1:$port_2 ($backend)"

# --- nginx with the example site, on a free port of its own.
mkdir -p "$work/nginx/temp"
https_port=$(free_port)
sed -e "s|127.0.0.1:8701|127.0.0.1:$port_1|" -e "s|127.0.0.1:8702|127.0.0.1:$port_2|" \
    -e "s|listen 443 ssl;|listen 127.0.0.1:$https_port ssl;|" -e '/listen \[::\]:443 ssl;/d' \
    -e "s|/etc/kalvorn/tls/|$work/tls/|" "$root/deploy/nginx.conf" >"$work/nginx/kalvorn.conf"
for expected in "127.0.0.1:$port_1" "127.0.0.1:$port_2" "listen 127.0.0.1:$https_port ssl" \
    "$work/tls/fullchain.pem" "$work/tls/privkey.pem"; do
    grep -qF "$expected" "$work/nginx/kalvorn.conf" || {
        echo "$0: deploy/nginx.conf no longer has what the trial replaces ($expected)" >&2
        exit 1
    }
done
cat >"$work/nginx/nginx.conf" <<EOF
worker_processes 2;
pid $work/nginx/nginx.pid;
error_log $work/nginx/error.log;
events { worker_connections 1024; }
http {
    access_log $work/nginx/access.log;
    client_body_temp_path $work/nginx/temp/body;
    proxy_temp_path $work/nginx/temp/proxy;
    fastcgi_temp_path $work/nginx/temp/fastcgi;
    uwsgi_temp_path $work/nginx/temp/uwsgi;
    scgi_temp_path $work/nginx/temp/scgi;
    include $work/nginx/kalvorn.conf;
}
EOF
nginx -t -q -p "$work/nginx" -c "$work/nginx/nginx.conf"
nginx -p "$work/nginx" -c "$work/nginx/nginx.conf"
echo "nginx on https://127.0.0.1:$https_port/ for game.example.org"

front="https://game.example.org:$https_port"
# curl as a player at PLAYER_ADDRESS (a loopback address of its own), trusting only the
# trial's authority: prints each reply's body and then its status.
player_address=127.0.0.5
player() {
    curl -sS --interface "$player_address" --cacert "$work/tls/ca.pem" \
        --resolve "game.example.org:$https_port:127.0.0.1" "$@"
}
direct() {  # direct PORT PATH: a request to one process itself, plain HTTP
    curl -sS "http://127.0.0.1:$1/$2"
}

# --- Checks.
check "HTTPS through nginx, trusting the trial's authority" '[[],"-"]' \
    "$(player "$front/getScores.php?username=nobody")"
untrusted=$(curl -sS --resolve "game.example.org:$https_port:127.0.0.1" \
    "$front/getScores.php?username=nobody" 2>&1 >/dev/null | head -c 200 || true)
check "a client that does not trust the authority is refused" yes \
    "$(case $untrusted in *certificate*) echo yes ;; *) echo "$untrusted" ;; esac)"

for i in $(seq 20); do
    player -o /dev/null "$front/getScores.php?username=balance$i"
done
sleep 0.5
seen_1=$(grep -c " $player_address GET /getScores.php?username=balance" "$work/server-1.log" || true)
seen_2=$(grep -c " $player_address GET /getScores.php?username=balance" "$work/server-2.log" || true)
check "20 requests balanced over both processes, each logging the player's address" 20 \
    "$((seen_1 + seen_2))"
check "both processes served some" yes "$([ "$seen_1" -gt 0 ] && [ "$seen_2" -gt 0 ] && echo yes || echo "$seen_1 and $seen_2")"
check "no request logged under nginx's address" 0 \
    "$(cat "$work/server-1.log" "$work/server-2.log" | grep -c ' 127.0.0.1 GET /getScores.php?username=balance' || true)"

# One player's burst past its allowance (20 a second, bursts of 40) on each process; another
# player is served meanwhile.
urls=()
for i in $(seq 120); do urls+=(-o /dev/null "$front/getScores.php?username=burst"); done
statuses=$(player -w '%{http_code}\n' "${urls[@]}" | sort | uniq -c | tr -s ' ')
refused=$(echo "$statuses" | sed -n 's/^ *\([0-9]*\) 429$/\1/p')
check "a player past its allowance gets 429" yes "$([ "${refused:-0}" -gt 0 ] && echo yes || echo "$statuses")"
player_address=127.0.0.6
check "another player is served at once" 200 \
    "$(player -o /dev/null -w '%{http_code}' "$front/getScores.php?username=other")"

join="join.php?username=trial&password=secret9&mail=trial%40example.org&country=Chad"
check "an account made on process 1" '[1]' "$(direct "$port_1" "$join")"
player_address=127.0.0.7
joined=$(player -D "$work/join-headers" -c "$work/cookies" \
    "$front/join.php?username=front&password=secret9&mail=f%40example.org&country=Chad")
check "an account made through nginx" '[1]' "$joined"
check "its session cookie through nginx is Secure" yes \
    "$(grep -qiE '^set-cookie: kalvorn_session=[0-9a-f]{64};.*; Secure' "$work/join-headers" && echo yes || grep -i '^set-cookie' "$work/join-headers")"
if [ "$backend" = postgresql ]; then
    check "logs in through process 2" '[1]' \
        "$(direct "$port_2" 'loginUser.php?username=trial&password=secret9')"
    logins=""
    for i in 1 2 3 4; do
        logins+=$(player -c "$work/cookies" "$front/loginUser.php?username=front&password=secret9")
    done
    check "the account made through nginx logs in four times through it, on both processes" \
        '[1][1][1][1]' "$logins"
    check "and its total goes in through either" 1 \
        "$(player -b "$work/cookies" "$front/sendScore.php?username=front&score=500")"
    check "the same ranking from both" \
        "$(direct "$port_1" 'getScores.php?username=front')" \
        "$(direct "$port_2" 'getScores.php?username=front')"
fi

# --- Backup while the service runs, and a process serving from the restored copy.
writes() {  # sendScore for the trial account on process 1, until stopped
    local cookie
    cookie=$(curl -sS -D - -o /dev/null \
        "http://127.0.0.1:$port_1/loginUser.php?username=trial&password=secret9" |
        sed -n 's/^[Ss]et-[Cc]ookie: \(kalvorn_session=[0-9a-f]*\).*/\1/p')
    local score=1
    while :; do
        curl -sS -o /dev/null -b "$cookie" \
            "http://127.0.0.1:$port_1/sendScore.php?username=trial&score=$score" || true
        score=$((score + 1))
    done
}
writes &
writer=$!
sleep 1
if [ "$backend" = postgresql ]; then
    copy=$("$root/deploy/backup-database.sh" "$database_url" "$work/backups")
    kill "$writer"
    wait "$writer" 2>/dev/null || true
    temporary_postgres_psql -c "CREATE DATABASE kalvorn_restored"
    pg_restore --no-owner -h 127.0.0.1 -p "$pg_port" -U postgres -d kalvorn_restored "$copy"
    start_server server-restored --database "postgresql://postgres@127.0.0.1:$pg_port/kalvorn_restored"
else
    copy=$("$root/deploy/backup-database.sh" "$work/server-1/kalvorn.sqlite" "$work/backups")
    kill "$writer"
    wait "$writer" 2>/dev/null || true
    mkdir -m 700 "$work/server-restored"
    cp "$copy" "$work/server-restored/kalvorn.sqlite"
    start_server server-restored
fi
check "the backup is the owner's only" "-rw-------" "$(stat -c %A "$copy")"
check "a process on the restored copy serves the account" '[1]' \
    "$(direct "$port" 'loginUser.php?username=trial&password=secret9')"
restored_rank=$(direct "$port" 'getScores.php?username=trial')
check "with a total written while the copy was taken" yes \
    "$(case $restored_rank in *'"trial","'[1-9]*) echo yes ;; *) echo "$restored_rank" ;; esac)"

# --- One process stopped: nginx sends everything to the other.
kill -TERM "${server_pids[0]}"
wait "${server_pids[0]}" || true
server_pids=("${server_pids[@]:1}")
urls=()
for i in $(seq 20); do urls+=(-o /dev/null "$front/getScores.php?username=failover"); done
player_address=127.0.0.8
check "with process 1 stopped, all 20 requests answered" "20 200" \
    "$(player -w '%{http_code}\n' "${urls[@]}" | sort | uniq -c | tr -s ' ' | sed 's/^ //')"

if [ $failures -ne 0 ]; then
    echo "$failures check(s) failed; the logs were in $work"
    exit 1
fi
echo "all checks passed"
