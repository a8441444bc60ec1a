#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need, but
# only those that are missing. Uses sudo when not run as root.
#   install-deps.sh          packages to build and run
#   install-deps.sh --test   plus what the test suite needs
set -euo pipefail

packages=(
  build-essential cmake pkg-config ccache
  qt6-base-dev
  libfluidsynth-dev libglib2.0-dev timgm6mb-soundfont libsystemd-dev
  librtmidi-dev librtaudio-dev libjack-jackd2-dev
  libsndfile1-dev libsamplerate0-dev
  fonts-liberation fonts-liberation2
)
if [[ "${1:-}" == "--test" ]]; then
  packages+=(libpulse-dev libgtest-dev libgmock-dev libbenchmark-dev libfftw3-dev libx11-dev xvfb xauth)
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "Installing: ${missing[*]}"
sudo=()
[[ $(id -u) -ne 0 ]] && sudo=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
