#!/usr/bin/env bash
# A throwaway PostgreSQL cluster for the tests and benchmarks.
#
#   pg-test-cluster.sh start <state file>    initdb into a new temporary folder and start it
#   pg-test-cluster.sh stop <state file>     stop it and remove the folder
#   pg-test-cluster.sh kill <state file>     stop it at once, as a crash would (data stay)
#   pg-test-cluster.sh restart <state file>  start a killed cluster again on the same folder
#
# The server listens on a socket inside the temporary folder only (no TCP port), so that
# clusters of several build folders never meet. The superuser `postgres` is trusted (nobody
# but the folder's owner reaches the socket); every other role logs in with its password
# (SCRAM-SHA-256), as the accounts of a real team server do. The server refuses to run as
# root: when called by root it runs as the `postgres` system user, which owns the folder.
#
# The state file gets two lines, read by the tests:
#   folder=<the temporary folder>
#   uri=<the connection URI of the cluster's "postgres" database>
set -euo pipefail

command=${1:-}
state=${2:-}
if [ -z "$command" ] || [ -z "$state" ]; then
  echo "usage: $0 start|stop|kill|restart <state file>" >&2
  exit 2
fi

bindir=${PG_BINDIR:-}
if [ -z "$bindir" ]; then
  bindir=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1 || true)
fi
if [ -z "$bindir" ] || [ ! -x "$bindir/initdb" ]; then
  echo "no PostgreSQL server binaries (install the package postgresql)" >&2
  exit 1
fi

as_owner() {
  if [ "$(id -u)" -eq 0 ]; then
    # From a folder the server user can enter: a build folder under /root is not one.
    (cd / && runuser -u postgres -- "$@")
  else
    "$@"
  fi
}

read_state() {
  folder=$(sed -n 's/^folder=//p' "$state" 2>/dev/null || true)
}

server_options() {
  # fsync off: a crash of this machine may lose the cluster, which is thrown away anyway;
  # a crash of the server alone (kill) loses nothing that was committed.
  echo "-c listen_addresses='' -k $folder -p 5432 -c fsync=off -c full_page_writes=off" \
    "-c max_connections=80 -c password_encryption=scram-sha-256"
}

start_server() {
  as_owner "$bindir/pg_ctl" -D "$folder/data" -l "$folder/server.log" -w -t 60 \
    -o "$(server_options)" start >/dev/null
}

stop_server() {
  local mode=$1
  if [ -n "$folder" ] && [ -f "$folder/data/postmaster.pid" ]; then
    as_owner "$bindir/pg_ctl" -D "$folder/data" -m "$mode" -w -t 60 stop >/dev/null 2>&1 || true
  fi
}

case "$command" in
start)
  # A cluster left behind by an interrupted run goes first.
  read_state
  stop_server immediate
  if [ -n "${folder:-}" ] && [ -d "$folder" ]; then rm -rf "$folder"; fi

  # /tmp rather than TMPDIR: the server user must reach it, and a socket path is short.
  folder=$(mktemp -d /tmp/qx-pg.XXXXXX)
  if [ "$(id -u)" -eq 0 ]; then chown postgres: "$folder"; fi
  chmod 700 "$folder"
  if ! as_owner "$bindir/initdb" -D "$folder/data" -A trust -U postgres -E UTF8 \
    --locale=C.UTF-8 -N >"$folder/initdb.log" 2>&1; then
    cat "$folder/initdb.log" >&2
    rm -rf "$folder"
    exit 1
  fi
  printf '%s\n' 'local all postgres trust' 'local all all scram-sha-256' |
    as_owner tee "$folder/data/pg_hba.conf" >/dev/null
  if ! start_server; then
    cat "$folder/server.log" >&2 || true
    rm -rf "$folder"
    exit 1
  fi
  printf 'folder=%s\nuri=postgresql:///postgres?host=%s&port=5432&user=postgres\n' \
    "$folder" "$folder" >"$state"
  echo "PostgreSQL test cluster in $folder"
  ;;
stop)
  read_state
  stop_server immediate
  if [ -n "${folder:-}" ] && [ -d "$folder" ]; then rm -rf "$folder"; fi
  rm -f "$state"
  ;;
kill)
  read_state
  stop_server immediate
  ;;
restart)
  read_state
  start_server
  ;;
*)
  echo "unknown command: $command" >&2
  exit 2
  ;;
esac
