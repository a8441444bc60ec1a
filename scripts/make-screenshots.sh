#!/usr/bin/env bash
# Makes the screenshots that the AppStream metainfo shows, from the real
# programs in a virtual X display: desktop/screenshots/solfara.png (a drill,
# after the intro) and desktop/screenshots/beatwise.png (the trainer at rest).
# A private sound server (as the end-to-end tests use) gives them sound, so
# no "no audio output" message covers the window.
#   scripts/make-screenshots.sh [BUILD_DIR]     (default: build)
# Needs the built programs, xvfb, ImageMagick and PulseAudio.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
out=desktop/screenshots
for tool in Xvfb import pulseaudio; do
  command -v "$tool" >/dev/null || { echo "$tool is needed (xvfb, imagemagick, pulseaudio)" >&2; exit 1; }
done

source .ci/private-pulseaudio.sh
start_private_pulseaudio
export PULSE_SERVER=$SOLFARA_TEST_PULSE_SERVER JACK_NO_START_SERVER=1 QT_QPA_PLATFORM=xcb

work=$(mktemp -d)
cleanup() {
  [[ -n "${program_pid:-}" ]] && kill "$program_pid" 2>/dev/null || true
  [[ -n "${xvfb_pid:-}" ]] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
  stop_private_pulseaudio
}
trap cleanup EXIT

# -noreset: a program that starts after another has gone must not meet a server mid-reset.
exec {display_fd}<> <(:)
Xvfb -displayfd "$display_fd" -screen 0 640x600x24 -noreset -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
read -r -t 10 number <&"$display_fd"
export DISPLAY=:$number

# shot PROGRAM NAME SECONDS ARGS...: starts the program, waits, saves the window's area.
shot() {
  local program=$1 name=$2 wait=$3
  shift 3
  "$program" "$@" >"$work/$name.log" 2>&1 &
  program_pid=$!
  sleep "$wait"
  local geometry
  geometry=$(xwininfo -root -tree 2>/dev/null | awk -v n="$name" 'tolower($0) ~ n && $0 ~ /[0-9]+x[0-9]+\+/ {
      for (i = 1; i <= NF; i++) if ($i ~ /^[0-9]+x[0-9]+\+-?[0-9]+\+-?[0-9]+$/) { print $i; exit } }')
  import -window root "$work/$name-root.png"
  if [[ -n "$geometry" ]]; then
    convert "$work/$name-root.png" -crop "${geometry%%+*}+${geometry#*+}" +repage "$out/$name.png"
  else
    cp "$work/$name-root.png" "$out/$name.png"
  fi
  kill "$program_pid"
  wait "$program_pid" 2>/dev/null || true
  program_pid=
  echo "$out/$name.png"
}

mkdir -p "$out"
shot "$build/app/solfara/solfara" solfara 12 --data-dir "$work/solfara-data"
shot "$build/app/beatwise/beatwise" beatwise 3 --data-dir "$work/beatwise-data"
