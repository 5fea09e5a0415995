#!/usr/bin/env bash
# Installs the Debian packages the project needs, only those that are missing.
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite libsqlite3-dev qt6-multimedia-dev qt6-svg-dev
  # A store on a PostgreSQL server: Qt's driver and libpq; the server for the tests' cluster.
  libqt6sql6-psql libpq-dev postgresql
  # Password verifiers (PBKDF2, HMAC, SHA-256).
  libssl-dev
  # The calendar export (iCalendar).
  libical-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth fonts-noto-cjk
  # The installed layout's checks and the Debian package; driving the installed program.
  desktop-file-utils appstream file groff-base gzip dpkg-dev xdotool
  # setpriv: as root, the store-fault tests run without the capabilities that ignore file modes.
  util-linux
)
# Extra packages for the caller, e.g. tools used only to take screenshots.
packages+=("$@")

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo_cmd=()
  if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
