#!/bin/sh
# Backs up the service's database while the service runs, into a file readable by its owner
# only (it holds password hashes and e-mail addresses), and checks that the copy reads back.
#
#   backup-database.sh postgresql://kalvorn@127.0.0.1:5432/kalvorn /var/backups/kalvorn
#       pg_dump's custom format (-Fc), one consistent snapshot taken without blocking the
#       service; restore it into a fresh database with
#           createdb -O kalvorn kalvorn_restored
#           pg_restore --no-owner --role=kalvorn -d kalvorn_restored FILE.dump
#   backup-database.sh /var/lib/kalvorn/server-8701/kalvorn.sqlite /var/backups/kalvorn
#       SQLite's online backup of the WAL database (sqlite3 ".backup"), consistent even while
#       the service writes; the copy is a complete database: put it in place of kalvorn.sqlite
#       while the service is stopped (and remove any kalvorn.sqlite-wal and -shm beside it).
#
# Prints the path of the copy. Exits non-zero, leaving no partial copy, when anything fails.
set -eu

if [ $# -ne 2 ]; then
    echo "usage: $0 postgresql://USER@HOST:PORT/DB | PATH/kalvorn.sqlite  BACKUP_DIR" >&2
    exit 2
fi
source=$1
directory=$2
umask 077
mkdir -p "$directory"
stamp=$(date -u +%Y%m%dT%H%M%SZ)

case $source in
postgresql://* | postgres://*)
    target=$directory/kalvorn-$stamp.dump
    pg_dump -Fc --no-password -d "$source" -f "$target.partial" || {
        rm -f "$target.partial"
        exit 1
    }
    # The archive's table of contents must read back.
    pg_restore --list "$target.partial" >/dev/null || {
        rm -f "$target.partial"
        exit 1
    }
    ;;
*)
    [ -f "$source" ] || {
        echo "$0: no database at $source" >&2
        exit 1
    }
    target=$directory/kalvorn-$stamp.sqlite
    case $target in *"'"*)
        echo "$0: the backup directory may not hold a single quote" >&2
        exit 2
        ;;
    esac
    # The service may hold the write lock for a moment: wait for it rather than fail.
    sqlite3 "$source" ".timeout 10000" ".backup '$target.partial'" || {
        rm -f "$target.partial"
        exit 1
    }
    check=$(sqlite3 "$target.partial" "PRAGMA integrity_check;") || check=failed
    if [ "$check" != ok ]; then
        echo "$0: the copy fails its integrity check: $check" >&2
        rm -f "$target.partial"
        exit 1
    fi
    ;;
esac
mv "$target.partial" "$target"
echo "$target"
