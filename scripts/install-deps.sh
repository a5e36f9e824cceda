#!/usr/bin/env bash
# Installs every Debian package the build, the program and the tests need.
# Idempotent: does nothing (not even apt-get update) when all are present.
set -euo pipefail

PACKAGES=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite libqt6sql6-psql libpq-dev
  qt6-serialport-dev qt6-multimedia-dev libsqlite3-dev libxcb1-dev
  gstreamer1.0-plugins-good gstreamer1.0-libav
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  postgresql-15 postgresql-client-15
  qt6-translations-l10n fonts-nanum xvfb xauth socat
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "install-deps: installing ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq "${missing[@]}"
