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
  [[ -n "${feeder_pid:-}" ]] && kill "$feeder_pid" 2>/dev/null || true
  [[ -n "${xvfb_pid:-}" ]] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
  stop_private_pulseaudio
}
trap cleanup EXIT

# -noreset: a program that starts after another has gone must not meet a server mid-reset.
exec {display_fd}<> <(:)
Xvfb -displayfd "$display_fd" -screen 0 1024x768x24 -noreset -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
read -r -t 10 number <&"$display_fd"
export DISPLAY=:$number

# The private microphone hears silence, paced as a real one would deliver it (0.1 s of
# 16-bit samples at a time); an unfed one would block the capture thread.
while true; do head -c $((SOLFARA_TEST_MIC_RATE / 5)) /dev/zero; sleep 0.1; done \
  >"$SOLFARA_TEST_MIC_PIPE" 2>/dev/null &
feeder_pid=$!

# shot PROGRAM NAME SECONDS ARGS...: starts the program, waits, saves the window's area.
shot() {
  local program=$1 name=$2 wait=$3
  shift 3
  "$program" "$@" >"$work/$name.log" 2>&1 &
  program_pid=$!
  sleep "$wait"
  local geometry
  # The program's main window is the one whose class is the program's name.
  geometry=$(xwininfo -root -tree 2>/dev/null | awk -v class="(\"$name\"" 'index($0, class) {
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
shot "$build/app/beatwise/beatwise" beatwise 6
