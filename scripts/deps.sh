#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the program need,
# only those that are missing. Sourced by scripts/run, scripts/test, .ci/run.
set -euo pipefail

VT_PACKAGES=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins libgl-dev libxkbcommon-dev
  qt6-charts-dev qt6-svg-dev libqt6opengl6-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-liberation xvfb xauth openbox
  clang libclang-rt-14-dev
  cups cups-bsd cups-client libcups2-dev printer-driver-cups-pdf poppler-utils unzip
  desktop-file-utils shared-mime-info file dpkg-dev
)

vt_install_missing() {
  local missing=() p
  for p in "${VT_PACKAGES[@]}" "$@"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
      missing+=("$p")
    fi
  done
  if ((${#missing[@]})); then
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    echo "Installing: ${missing[*]}"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
  fi
}
