#!/usr/bin/env bash
# Build and run every test, with a throwaway PostgreSQL server on loopback.
set -euo pipefail
cd "$(dirname "$0")"
ROOT=$(pwd)
BUILD=${ORVPOS_BUILD_DIR:-$ROOT/build}

./scripts/install-deps.sh

cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$BUILD" -j"$(nproc)"

PGBIN=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1)
PGDIR=""
cleanup() {
  if [ -n "$PGDIR" ] && [ -f "$PGDIR/data/postmaster.pid" ]; then
    runuser -u postgres -- "$PGBIN/pg_ctl" -D "$PGDIR/data" -m immediate stop >/dev/null 2>&1 || true
  fi
  if [ -n "$PGDIR" ]; then rm -rf "$PGDIR"; fi
}
trap cleanup EXIT INT TERM

start_pg() {
  [ -x "$PGBIN/initdb" ] || { echo "test.sh: no PostgreSQL server binaries found"; return 1; }
  id postgres >/dev/null 2>&1 || { echo "test.sh: no postgres user"; return 1; }
  # Own data folder under the build folder; the postgres user must reach it.
  PGDIR="$BUILD/pg"
  rm -rf "$PGDIR"; mkdir -p "$PGDIR"; chown postgres "$PGDIR"
  if ! runuser -u postgres -- test -w "$PGDIR"; then
    rm -rf "$PGDIR"; PGDIR=$(mktemp -d /tmp/orvpos-pg.XXXXXX); chown postgres "$PGDIR"
  fi
  runuser -u postgres -- "$PGBIN/initdb" -D "$PGDIR/data" -U postgres --auth=trust \
    --encoding=UTF8 --locale=C.UTF-8 >"$PGDIR/initdb.log" 2>&1 || { cat "$PGDIR/initdb.log"; return 1; }
  mkdir -p "$PGDIR/sock"; chown postgres "$PGDIR/sock"
  # Another run may take the port between the probe and the start: try the next one.
  local port started=""
  for port in $(shuf -i 55432-59999 -n 20); do
    if (exec 3<>/dev/tcp/127.0.0.1/$port) 2>/dev/null; then continue; fi
    if runuser -u postgres -- "$PGBIN/pg_ctl" -D "$PGDIR/data" -l "$PGDIR/server.log" -w -t 30 \
      -o "-c listen_addresses=127.0.0.1 -p $port -k $PGDIR/sock -c fsync=off -c max_connections=200" \
      start >/dev/null; then
      started=1; break
    fi
  done
  [ -n "$started" ] || { cat "$PGDIR/server.log"; return 1; }
  export ORVPOS_TEST_PG="server=127.0.0.1,$port;driver={PostgreSQL};uid=postgres;pwd=;database=postgres"
  echo "test.sh: PostgreSQL on 127.0.0.1:$port"
}

if ! start_pg; then
  if [ -n "${CI:-}" ]; then echo "test.sh: PostgreSQL is required on CI"; exit 1; fi
  echo "test.sh: PostgreSQL not started; its tests will be skipped"
fi

export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
cd "$BUILD"
ctest --output-on-failure -j"$(nproc)" "$@"
