#!/usr/bin/env bash
# Installs the Debian 12 packages needed to build, run and test Rovudaze.
# Does nothing when they are all present. Uses sudo when not root.
set -euo pipefail
PACKAGES=(build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-serialport-dev qt6-charts-dev qt6-datavisualization-dev qt6-declarative-dev
  libqt6sql6-sqlite libqt6sql6-psql libxlsxwriter-dev libxkbcommon-dev
  qt6-qpa-plugins fonts-dejavu-core
  socat xvfb xauth postgresql poppler-utils sqlite3 libgl1-mesa-dri unzip)
missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
echo "Installing: ${missing[*]}"
$SUDO apt-get update
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y "${missing[@]}"
