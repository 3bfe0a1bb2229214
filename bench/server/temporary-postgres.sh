# A PostgreSQL server of a script's own, sourced by the scripts that need one: initdb and pg_ctl
# in a directory of the caller's, on a free loopback port, run as the postgres user when the
# script runs as root (PostgreSQL refuses to run as root). Needs Debian's PostgreSQL server.
#
#   temporary_postgres_start DIR   sets postgres_port; DIR must not exist yet
#   temporary_postgres_stop        stops it again (safe to call when it was never started)
#   temporary_postgres_psql ARGS   psql as the superuser on it

temporary_postgres_dir=
postgres_port=

temporary_postgres_tool() {
    local bindir=${PG_BINDIR:-$(ls -d /usr/lib/postgresql/*/bin | sort -V | tail -n 1)}
    local tool=$1
    shift
    if [ "$(id -u)" = 0 ]; then
        (cd "$temporary_postgres_dir" && runuser -u postgres -- "$bindir/$tool" "$@")
    else
        "$bindir/$tool" "$@"
    fi
}

temporary_postgres_start() {
    temporary_postgres_dir=$1
    mkdir -m 700 "$temporary_postgres_dir"
    if [ "$(id -u)" = 0 ]; then
        chown postgres: "$temporary_postgres_dir"
        # The postgres user must be able to reach its directory.
        local parent
        parent=$(dirname "$temporary_postgres_dir")
        chmod o+x "$parent"
    fi
    postgres_port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
    temporary_postgres_tool initdb --no-sync -D "$temporary_postgres_dir/data" -U postgres \
        -A trust -E UTF8 --locale=C >"$temporary_postgres_dir/initdb.log"
    temporary_postgres_tool pg_ctl start -w -t 60 -D "$temporary_postgres_dir/data" \
        -l "$temporary_postgres_dir/server.log" \
        -o "-c listen_addresses=127.0.0.1 -p $postgres_port -k $temporary_postgres_dir ${POSTGRES_SETTINGS:-}" \
        >/dev/null
}

temporary_postgres_stop() {
    if [ -n "$temporary_postgres_dir" ] && [ -f "$temporary_postgres_dir/data/postmaster.pid" ]; then
        temporary_postgres_tool pg_ctl stop -w -m fast -D "$temporary_postgres_dir/data" >/dev/null
    fi
}

temporary_postgres_psql() {
    psql -X -q -v ON_ERROR_STOP=1 -h 127.0.0.1 -p "$postgres_port" -U postgres "$@"
}
