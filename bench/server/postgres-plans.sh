#!/usr/bin/env bash
# The ranking's two queries on PostgreSQL, at each size in PLAYERS: a temporary PostgreSQL
# server of the script's own, the service's schema made by kalvorn-server itself (started once
# on the empty database and stopped), players with random totals from 0 to 87 000 seeded by
# kalvorn-server-seed (one COPY, the bands counted once at the end), then for a player at the top, in
# the middle and at the bottom:
#   - EXPLAIN (ANALYZE, BUFFERS) of the position query the service runs (the sum over the bands
#     above the player's plus the count within the player's band),
#   - EXPLAIN (ANALYZE, BUFFERS) of the top-100 query,
#   - the mean latency of each over 2 000 runs with pgbench (one client, prepared statements).
#
#   bash bench/server/postgres-plans.sh [BUILD_DIR]     (default: build)
# Environment: PLAYERS (default "100000 1000000").
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
build=${1:-build}
server=$build/bin/kalvorn-server
sizes=${PLAYERS:-100000 1000000}
for tool in "$server" "$build/bin/kalvorn-server-seed"; do
    [ -x "$tool" ] || { echo "postgres-plans.sh: $tool is missing; build it first" >&2; exit 1; }
done

# shellcheck source=temporary-postgres.sh
. "$here/temporary-postgres.sh"
work=$(mktemp -d)
cleanup() {
    temporary_postgres_stop
    rm -rf "$work"
}
trap cleanup EXIT
temporary_postgres_start "$work/pg"

position_query='SELECT 1 + (SELECT COALESCE(SUM(players), 0) FROM points_buckets WHERE bucket > mine.points / 100) + (SELECT COUNT(*) FROM totals AS ahead WHERE ahead.points > mine.points AND ahead.points < (mine.points / 100 + 1) * 100) FROM totals AS mine WHERE mine.user_id = :id'
top_query='SELECT users.name, totals.points, users.country, totals.user_id FROM totals JOIN users ON users.id = totals.user_id ORDER BY totals.points DESC, totals.reached_at, totals.user_id LIMIT 100'

for players in $sizes; do
    database=kalvorn_$players
    url="postgresql://postgres@127.0.0.1:$postgres_port/$database"
    temporary_postgres_psql -c "CREATE DATABASE $database"
    "$server" --listen 127.0.0.1:0 --data "$work/data-$players" --database "$url" \
        2>"$work/server-$players.log" &
    pid=$!
    for _ in $(seq 100); do
        grep -q "listening on" "$work/server-$players.log" && break
        sleep 0.1
    done
    kill -TERM "$pid"
    wait "$pid" || { cat "$work/server-$players.log" >&2; exit 1; }

    started=$(date +%s)
    "$build/bin/kalvorn-server-seed" --database "$url" "$players" >/dev/null
    temporary_postgres_psql -d "$database" -c "VACUUM ANALYZE"
    echo "## $players players (seeded in $(($(date +%s) - started)) s)"
    temporary_postgres_psql -d "$database" -At -c \
        "SELECT 'bands: ' || COUNT(*) || ', largest band: ' || MAX(players) || ' players, band sum equals a full count: ' || (SUM(players) = (SELECT COUNT(*) FROM totals)) FROM points_buckets"
    for where in top middle bottom; do
        case $where in
        top) order="points DESC" ;;
        middle) order="abs(points - 43500)" ;;
        bottom) order="points" ;;
        esac
        id=$(temporary_postgres_psql -d "$database" -At -c \
            "SELECT user_id FROM totals ORDER BY $order, user_id LIMIT 1")
        echo
        echo "### position of the player $where (user $id)"
        temporary_postgres_psql -d "$database" \
            -c "EXPLAIN (ANALYZE, BUFFERS) ${position_query//:id/$id}"
        echo "${position_query//:id/$id};" >"$work/position.sql"
        temporary_postgres_tool pgbench -n -M prepared -c 1 -t 2000 -h 127.0.0.1 -p "$postgres_port" \
            -U postgres -f "$work/position.sql" "$database" 2>/dev/null | grep -E '^latency average'
    done
    echo
    echo "### top 100"
    temporary_postgres_psql -d "$database" -c "EXPLAIN (ANALYZE, BUFFERS) $top_query"
    echo "$top_query;" >"$work/top.sql"
    temporary_postgres_tool pgbench -n -M prepared -c 1 -t 2000 -h 127.0.0.1 -p "$postgres_port" \
        -U postgres -f "$work/top.sql" "$database" 2>/dev/null | grep -E '^latency average'
    temporary_postgres_psql -c "DROP DATABASE $database"
done
