#!/usr/bin/env bash
# start|stop a throwaway PostgreSQL server on a unix socket only.
# start prints shell assignments: eval "$(scripts/pg-throwaway.sh start)"
set -euo pipefail
PGBIN=$(ls -d /usr/lib/postgresql/*/bin | sort -V | tail -1)
PORT=${ROVUDAZE_PG_PORT:-54329}
case "${1:-}" in
  start)
    BASE=$(mktemp -d /tmp/rovudaze-pg.XXXXXX)
    D="$BASE/data"; S="$BASE/sock"
    if [ "$(id -u)" -eq 0 ]; then
      install -d -o postgres -g postgres -m 700 "$D" "$S"
      chown postgres:postgres "$BASE"
      AS="runuser -u postgres --"
    else
      mkdir -p "$D" "$S"; chmod 700 "$D"; AS=""
    fi
    $AS "$PGBIN/initdb" -D "$D" -A trust -U postgres --no-sync -E UTF8 >"$BASE/initdb.log" 2>&1
    $AS "$PGBIN/pg_ctl" -D "$D" -l "$D/server.log" -w \
      -o "-p $PORT -k $S -c listen_addresses='' -c fsync=off" start >"$BASE/start.log" 2>&1
    echo "export ROVUDAZE_TEST_PG_HOST=$S ROVUDAZE_TEST_PG_PORT=$PORT ROVUDAZE_TEST_PG_USER=postgres ROVUDAZE_PG_BASE=$BASE"
    ;;
  stop)
    BASE="${ROVUDAZE_PG_BASE:?}"
    if [ "$(id -u)" -eq 0 ]; then AS="runuser -u postgres --"; else AS=""; fi
    $AS "$PGBIN/pg_ctl" -D "$BASE/data" -m fast -w stop >/dev/null 2>&1 || true
    rm -rf "$BASE"
    ;;
  *) echo "usage: $0 start|stop" >&2; exit 2 ;;
esac
