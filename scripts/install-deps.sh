#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need, but
# only those that are missing. Uses sudo when not run as root; without sudo
# it names the missing packages and says how to get them installed.
#   install-deps.sh          packages to build and run
#   install-deps.sh --test   plus what the test suite needs
#   install-deps.sh --fuzz   plus clang with libFuzzer for the targets in fuzz/
set -euo pipefail

packages=(
  build-essential cmake pkg-config ccache
  qt6-base-dev
  libfluidsynth-dev libglib2.0-dev timgm6mb-soundfont libsystemd-dev
  librtmidi-dev librtaudio-dev libjack-jackd2-dev
  libsndfile1-dev libsamplerate0-dev libzip-dev libpulse-dev
  fonts-liberation fonts-liberation2
)
if [[ "${1:-}" == "--test" || "${1:-}" == "--fuzz" ]]; then
  packages+=(desktop-file-utils appstream groff-base libgtest-dev libgmock-dev libbenchmark-dev libfftw3-dev libx11-dev xvfb xauth clang-tidy)
fi
if [[ "${1:-}" == "--fuzz" ]]; then
  packages+=(clang libclang-rt-dev)
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

sudo=()
if [[ $(id -u) -ne 0 ]]; then
  if ! command -v sudo >/dev/null; then
    cat >&2 <<MESSAGE
These packages are missing: ${missing[*]}
Installing them needs root rights, and sudo is not installed. Either run
  $0${1:+ $1}
as root (for example: su -c '$0${1:+ $1}'), or install sudo as root
(apt-get install sudo), add yourself to the sudo group and try again.
MESSAGE
    exit 1
  fi
  sudo=(sudo)
fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
