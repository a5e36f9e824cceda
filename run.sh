#!/usr/bin/env bash
# Build (Release) and start the checkout on the embedded default (SQLite files).
set -euo pipefail
cd "$(dirname "$0")"
ROOT=$(pwd)
BUILD=${ORVPOS_BUILD_DIR:-$ROOT/build-release}

./scripts/install-deps.sh
cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$BUILD" -j"$(nproc)" --target orvpos

export ORVPOS_HOME=${ORVPOS_HOME:-$HOME/.local/share/orvpos}
export ORVPOS_SHARE="$ROOT/data"

# First start: terminal settings, the two SQLite databases and the demo shop. Later starts
# keep what is there.
"$BUILD/orvpos" --init-demo

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  cat <<MSG
No display found. To see the window, either:
  xvfb-run -a -s '-screen 0 1280x1024x24' ./run.sh      (a virtual screen; take screenshots)
  QT_QPA_PLATFORM=vnc:size=1280x1024 ./run.sh            (then connect a VNC viewer to port 5900)
MSG
  exit 1
fi

exec "$BUILD/orvpos" "$@"
