#!/usr/bin/env bash
# Web service benchmark: seeds a database of players, starts the real kalvorn-server on it and,
# in the same run and on the same loopback, nginx serving the service's own replies as static
# files, then measures both with wrk (requests per second and latency percentiles):
#   - getScores.php: the service (the ranking list and the player's position) against nginx
#     sending the same reply bytes from a file;
#   - sendScore.php: the service storing a random new total, synced before it answers, against
#     nginx sending a one-byte reply from a file;
#   - both endpoints of the service at 256 connections, where every request must be answered;
#   - then the same four runs of the service on PostgreSQL: a temporary server of the script's
#     own (default settings, so commits are synced as SQLite's are), seeded alike.
# The two are measured in turns, nginx first, so that load from elsewhere on the machine falls
# on both alike. Also prints the position query alone in the sqlite3 shell (the same query as
# Ranking::position, with the player's points written in).
#
#   bash bench/server/run.sh [BUILD_DIR]      (default: build; needs kalvorn-server and
#                                              kalvorn-server-seed built there, nginx, wrk and
#                                              Debian's PostgreSQL server)
# Environment: DURATION (seconds per wrk run, default 10), PLAYERS (default 100000).
# Exit status 1 when a request went unanswered or failed; the speed goals are reported only.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
build=${1:-build}
server=$build/bin/kalvorn-server
seed=$build/bin/kalvorn-server-seed
duration=${DURATION:-10}
players=${PLAYERS:-100000}
for tool in "$server" "$seed"; do
    [ -x "$tool" ] || { echo "run.sh: $tool is missing; build it first" >&2; exit 1; }
done
for tool in wrk nginx sqlite3 curl; do
    command -v "$tool" >/dev/null || { echo "run.sh: $tool is missing (bash scripts/setup)" >&2; exit 1; }
done

# shellcheck source=temporary-postgres.sh
. "$here/temporary-postgres.sh"
work=$(mktemp -d)
server_pid=
nginx_pid=
cleanup() {
    [ -n "$server_pid" ] && kill "$server_pid" 2>/dev/null && wait "$server_pid" 2>/dev/null
    [ -n "$nginx_pid" ] && kill "$nginx_pid" 2>/dev/null && wait "$nginx_pid" 2>/dev/null
    temporary_postgres_stop
    rm -rf "$work"
}
trap cleanup EXIT

free_port() {
    python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])'
}

# One wrk request generator for both: random players, and for sendScore a random new total, so
# that every submission changes the ranking and commits (the worst case: the game usually
# resends an unchanged total, which commits nothing). nginx ignores the query.
cat >"$work/requests.lua" <<'LUA'
local endpoint, users
function init(args)
    endpoint, users = args[1], tonumber(args[2])
    math.randomseed(os.time() + math.random(1000))
end
function request()
    local name = "player" .. math.random(1, users)
    if endpoint == "sendScore" then
        -- Writes need the player's session: the seeder opened one with a known token.
        return wrk.format("GET", "/sendScore.php?username=" .. name .. "&score=" .. math.random(0, 87000),
                          {["Cookie"] = "kalvorn_session=benchmark-" .. name})
    end
    return wrk.format("GET", "/getScores.php?username=" .. name)
end
LUA

# wrk with the generator: measure NAME CONNECTIONS PORT ENDPOINT
measure() {
    local name=$1 connections=$2 port=$3 endpoint=$4
    wrk -t2 -c"$connections" -d"${duration}s" --timeout 5s --latency -s "$work/requests.lua" \
        "http://127.0.0.1:$port" -- "$endpoint" "$players" >"$work/$name.txt"
}
rate() { awk '/^Requests\/sec:/ {print $2}' "$work/$1.txt"; }
percentile() { awk -v p="$2%" '$1 == p {print $2}' "$work/$1.txt"; }
# Requests that got no reply or not a 2xx one (wrk's socket errors and non-2xx count).
unanswered() {
    awk '/Socket errors:/ { gsub(/[^0-9 ]/, " "); n += $1 + $2 + $3 + $4 }
         /Non-2xx or 3xx responses:/ { n += $NF } END { print n + 0 }' "$work/$1.txt"
}
# In milliseconds, from wrk's "850.00us", "1.20ms" or "2.00s".
milliseconds() {
    awk -v t="$1" 'BEGIN { v = t + 0; if (t ~ /us$/) v /= 1000; else if (t ~ /[0-9]s$/) v *= 1000; printf "%.2f", v }'
}
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.1f", 100 * a / b }'; }
at_least() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a + 0 >= b + 0) }'; }

# Milliseconds per position query, averaged over many runs, for a player at the given points.
position_query_ms() {
    local db=$1 points=$2 runs=200
    local sql="SELECT (SELECT COALESCE(SUM(players), 0) FROM points_buckets WHERE bucket > $points / 100) + (SELECT COUNT(*) FROM totals WHERE points > $points AND points < ($points / 100 + 1) * 100);"
    local start end
    start=$(date +%s%N)
    for _ in $(seq $runs); do echo "$sql"; done | sqlite3 "$db" >/dev/null
    end=$(date +%s%N)
    awk -v ns=$((end - start)) -v runs=$runs 'BEGIN { printf "%.3f", ns / runs / 1e6 }'
}

data=$work/data
"$seed" "$data" "$players" >/dev/null
db=$data/kalvorn.sqlite
positions="| $players | $(position_query_ms "$db" 87000) | $(position_query_ms "$db" 43500) | $(position_query_ms "$db" 0) |"

# One client address makes every request here: the per-address limits would refuse most.
# start_service DATA_DIR [ARGUMENTS...] sets port and server_pid.
start_service() {
    local data_dir=$1
    shift
    port=$(free_port)
    "$server" --listen "127.0.0.1:$port" --data "$data_dir" --per-address-rate 0 \
        --per-address-connections 0 "$@" 2>>"$work/server.log" &
    server_pid=$!
    for _ in $(seq 100); do
        curl -sf "http://127.0.0.1:$port/getScores.php?username=player1" >/dev/null && return 0
        sleep 0.1
    done
    echo "run.sh: kalvorn-server did not start" >&2
    cat "$work/server.log" >&2
    exit 1
}
start_service "$data"

# nginx's files: the service's getScores reply for a player in the middle, and sendScore's
# one-digit reply. nginx logs every request as the service does.
mkdir -p "$work/nginx/root" "$work/nginx/temp"
curl -sf "http://127.0.0.1:$port/getScores.php?username=player$((players / 2))" \
    >"$work/nginx/root/getScores.php"
printf 1 >"$work/nginx/root/sendScore.php"
nginx_port=$(free_port)
cat >"$work/nginx/nginx.conf" <<CONF
daemon off;
worker_processes auto;
pid $work/nginx/nginx.pid;
error_log $work/nginx/error.log;
$( [ "$(id -u)" -eq 0 ] && echo "user root;" )
events { worker_connections 1024; }
http {
    access_log $work/nginx/access.log;
    client_body_temp_path $work/nginx/temp;
    proxy_temp_path $work/nginx/temp;
    fastcgi_temp_path $work/nginx/temp;
    uwsgi_temp_path $work/nginx/temp;
    scgi_temp_path $work/nginx/temp;
    default_type application/json;
    server {
        listen 127.0.0.1:$nginx_port;
        root $work/nginx/root;
    }
}
CONF
nginx -c "$work/nginx/nginx.conf" -p "$work/nginx" &
nginx_pid=$!
for _ in $(seq 100); do
    curl -sf "http://127.0.0.1:$nginx_port/getScores.php" >/dev/null && break
    sleep 0.1
done
cmp -s <(curl -sf "http://127.0.0.1:$nginx_port/getScores.php") "$work/nginx/root/getScores.php" ||
    { echo "run.sh: nginx did not start" >&2; cat "$work/nginx/error.log" >&2; exit 1; }

load_before=$(cut -d' ' -f1-3 /proc/loadavg)
measure nginx-getScores 16 "$nginx_port" getScores
measure service-getScores 16 "$port" getScores
measure nginx-sendScore 16 "$nginx_port" sendScore
measure service-sendScore 16 "$port" sendScore
measure service-getScores-256 256 "$port" getScores
measure service-sendScore-256 256 "$port" sendScore
kill "$server_pid"
wait "$server_pid" || true
server_pid=

temporary_postgres_start "$work/pg"
temporary_postgres_psql -c "CREATE DATABASE kalvorn"
database_url="postgresql://postgres@127.0.0.1:$postgres_port/kalvorn"
"$seed" --database "$database_url" "$players" >/dev/null
temporary_postgres_psql -d kalvorn -c "VACUUM ANALYZE"
start_service "$work/data-postgres" --database "$database_url"
measure postgres-getScores 16 "$port" getScores
measure postgres-sendScore 16 "$port" sendScore
measure postgres-getScores-256 256 "$port" getScores
measure postgres-sendScore-256 256 "$port" sendScore
load_after=$(cut -d' ' -f1-3 /proc/loadavg)

row() {
    local name=$1 label=$2
    echo "| $label | $(rate "$name") | $(percentile "$name" 50) | $(percentile "$name" 99) | $(unanswered "$name") |"
}
get_ratio=$(ratio "$(rate service-getScores)" "$(rate nginx-getScores)")
send_ratio=$(ratio "$(rate service-sendScore)" "$(rate nginx-sendScore)")
get_p99=$(milliseconds "$(percentile service-getScores 99)")
send_p99=$(milliseconds "$(percentile service-sendScore 99)")
goal() { if "$@"; then echo "met"; else echo "NOT met"; fi; }

echo "wrk on loopback, 2 threads, ${duration} s per run, $players players, $(nproc) cores;"
echo "load average before: $load_before, after: $load_after"
echo "reply sizes: getScores $(stat -c %s "$work/nginx/root/getScores.php") bytes, sendScore 1 byte"
echo
echo "| run | requests/s | p50 | p99 | unanswered or failed |"
echo "|---|---|---|---|---|"
row nginx-getScores "nginx, getScores reply as a file, 16 connections"
row service-getScores "kalvorn-server getScores.php, 16 connections"
row nginx-sendScore "nginx, sendScore reply as a file, 16 connections"
row service-sendScore "kalvorn-server sendScore.php, 16 connections"
row service-getScores-256 "kalvorn-server getScores.php, 256 connections"
row service-sendScore-256 "kalvorn-server sendScore.php, 256 connections"
row postgres-getScores "kalvorn-server on PostgreSQL, getScores.php, 16 connections"
row postgres-sendScore "kalvorn-server on PostgreSQL, sendScore.php, 16 connections"
row postgres-getScores-256 "kalvorn-server on PostgreSQL, getScores.php, 256 connections"
row postgres-sendScore-256 "kalvorn-server on PostgreSQL, sendScore.php, 256 connections"
echo
echo "getScores at $get_ratio % of nginx (goal 25 %: $(goal at_least "$get_ratio" 25))"
echo "sendScore at $send_ratio % of nginx (goal 15 %: $(goal at_least "$send_ratio" 15))"
echo "p99 at 16 connections: getScores $get_p99 ms, sendScore $send_p99 ms (goal 5 ms:" \
    "$(goal at_least 5 "$get_p99") / $(goal at_least 5 "$send_p99"))"
echo "on PostgreSQL: getScores at $(ratio "$(rate postgres-getScores)" "$(rate nginx-getScores)") %," \
    "sendScore at $(ratio "$(rate postgres-sendScore)" "$(rate nginx-sendScore)") % of nginx;" \
    "p99 at 16 connections: getScores $(milliseconds "$(percentile postgres-getScores 99)") ms," \
    "sendScore $(milliseconds "$(percentile postgres-sendScore 99)") ms"
echo
echo "Position query alone (sqlite3 shell, ms per query, including the shell's overhead):"
echo
echo "| players | at the top | in the middle | at the bottom |"
echo "|---|---|---|---|"
echo "$positions"

failed=0
for name in service-getScores service-sendScore service-getScores-256 service-sendScore-256 \
    postgres-getScores postgres-sendScore postgres-getScores-256 postgres-sendScore-256; do
    if [ "$(unanswered "$name")" -ne 0 ]; then
        echo "run.sh: $name left $(unanswered "$name") requests unanswered or failed" >&2
        failed=1
    fi
done
exit $failed
