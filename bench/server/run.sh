#!/usr/bin/env bash
# Web service benchmark: seeds databases of 10 000 and 100 000 players, starts the real
# kalvorn-server on each, and measures sendScore.php and getScores.php with wrk (requests per
# second and latency percentiles), plus the position query alone in the sqlite3 shell (the same
# query as Ranking::position, with the player's points written in).
#
#   bash bench/server/run.sh [BUILD_DIR]      (default: build; needs kalvorn-server and
#                                              kalvorn-server-seed built there)
# Environment: DURATION (seconds per wrk run, default 10), CONNECTIONS (default 16),
# SIZES (default "10000 100000").
set -euo pipefail

build=${1:-build}
server=$build/bin/kalvorn-server
seed=$build/bin/kalvorn-server-seed
duration=${DURATION:-10}
connections=${CONNECTIONS:-16}
sizes=${SIZES:-"10000 100000"}
for tool in "$server" "$seed"; do
    [ -x "$tool" ] || { echo "run.sh: $tool is missing; build it first" >&2; exit 1; }
done
command -v wrk >/dev/null || { echo "run.sh: wrk is missing (bash scripts/setup)" >&2; exit 1; }

work=$(mktemp -d)
server_pid=
cleanup() {
    [ -n "$server_pid" ] && kill "$server_pid" 2>/dev/null && wait "$server_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

# One wrk request generator: random players, and for sendScore a random new total, so that
# every submission changes the ranking and commits (the worst case: the game usually resends
# an unchanged total, which commits nothing).
cat >"$work/requests.lua" <<'LUA'
local endpoint, users
function init(args)
    endpoint, users = args[1], tonumber(args[2])
    math.randomseed(os.time() + math.random(1000))
end
function request()
    local name = "player" .. math.random(1, users)
    if endpoint == "sendScore" then
        return wrk.format("GET", "/sendScore.php?username=" .. name .. "&score=" .. math.random(0, 87000))
    end
    return wrk.format("GET", "/getScores.php?username=" .. name)
end
LUA

# "| N | endpoint | req/s | p50 | p90 | p99 |" from a wrk report.
report_line() {
    local users=$1 endpoint=$2 file=$3
    local rps p50 p90 p99
    rps=$(awk '/^Requests\/sec:/ {print $2}' "$file")
    p50=$(awk '$1 == "50%" {print $2}' "$file")
    p90=$(awk '$1 == "90%" {print $2}' "$file")
    p99=$(awk '$1 == "99%" {print $2}' "$file")
    echo "| $users | $endpoint.php | $rps | $p50 | $p90 | $p99 |"
}

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

results=()
positions=()
for users in $sizes; do
    data=$work/data-$users
    "$seed" "$data" "$users" >/dev/null
    db=$data/kalvorn.sqlite
    plan=$(sqlite3 "$db" "EXPLAIN QUERY PLAN SELECT (SELECT COALESCE(SUM(players), 0) FROM points_buckets WHERE bucket > 5), (SELECT COUNT(*) FROM totals WHERE points > 500 AND points < 600);")
    positions+=("| $users | $(position_query_ms "$db" 87000) | $(position_query_ms "$db" 43500) | $(position_query_ms "$db" 0) |")

    # One client address makes every request here: the per-address limits would refuse most.
    "$server" --listen 127.0.0.1:0 --data "$data" --per-address-rate 0 --per-address-connections 0 2>"$work/server-$users.log" &
    server_pid=$!
    port=
    for _ in $(seq 100); do
        port=$(sed -n 's|.*listening on http://127.0.0.1:\([0-9]*\)/.*|\1|p' "$work/server-$users.log")
        [ -n "$port" ] && break
        sleep 0.1
    done
    [ -n "$port" ] || { echo "run.sh: the server did not start" >&2; cat "$work/server-$users.log" >&2; exit 1; }

    for endpoint in sendScore getScores; do
        wrk -t2 -c"$connections" -d"${duration}s" --latency -s "$work/requests.lua" \
            "http://127.0.0.1:$port" -- "$endpoint" "$users" >"$work/wrk-$users-$endpoint.txt"
        results+=("$(report_line "$users" "$endpoint" "$work/wrk-$users-$endpoint.txt")")
    done
    kill "$server_pid"
    wait "$server_pid" || true
    server_pid=
done

echo "Query plan of the position count (SQLite's EXPLAIN QUERY PLAN):"
echo "$plan"
echo
echo "wrk, $connections connections, 2 threads, ${duration} s per run, $(nproc) cores:"
echo
echo "| players | endpoint | requests/s | p50 | p90 | p99 |"
echo "|---|---|---|---|---|---|"
printf '%s\n' "${results[@]}"
echo
echo "Position query alone (sqlite3 shell, ms per query, including the shell's overhead):"
echo
echo "| players | at the top | in the middle | at the bottom |"
echo "|---|---|---|---|"
printf '%s\n' "${positions[@]}"
