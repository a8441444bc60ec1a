# Sourced by .ci/run. Starts a private PulseAudio server for the end-to-end
# audio tests: its microphone is a pipe that a test plays a recording into
# (in real time), its speakers a null sink. The tests find it through
# SOLFARA_TEST_PULSE_SERVER, SOLFARA_TEST_MIC_PIPE and SOLFARA_TEST_MIC_RATE;
# nothing else is pointed at it. The server is stopped by its PID on exit.
#
# The server is installed here and not by scripts/install-deps.sh: on a
# desktop that runs PipeWire, installing it would replace pipewire-pulse.

install_pulseaudio_server() {
  command -v pulseaudio >/dev/null && command -v pactl >/dev/null && return 0
  local sudo=()
  [[ $(id -u) -ne 0 ]] && sudo=(sudo)
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends \
    pulseaudio pulseaudio-utils
}

start_private_pulseaudio() {
  private_pulse_dir=$(mktemp -d "${TMPDIR:-/tmp}/solfara-pulse.XXXXXX")
  mkdir -p "$private_pulse_dir/runtime" "$private_pulse_dir/home"
  local rate=44100
  cat >"$private_pulse_dir/default.pa" <<PA
load-module module-native-protocol-unix auth-anonymous=1 socket=$private_pulse_dir/native
load-module module-pipe-source source_name=pipe_microphone file=$private_pulse_dir/mic.pipe format=s16le rate=$rate channels=1
load-module module-null-sink sink_name=null_speakers
set-default-source pipe_microphone
set-default-sink null_speakers
PA
  XDG_RUNTIME_DIR="$private_pulse_dir/runtime" HOME="$private_pulse_dir/home" \
    pulseaudio -n --daemonize=no --exit-idle-time=-1 --use-pid-file=no --system=no \
    -F "$private_pulse_dir/default.pa" >"$private_pulse_dir/log" 2>&1 &
  private_pulse_pid=$!
  trap stop_private_pulseaudio EXIT

  local tries
  for tries in $(seq 50); do
    PULSE_SERVER="unix:$private_pulse_dir/native" pactl info >/dev/null 2>&1 && break
    sleep 0.1
  done
  if ! PULSE_SERVER="unix:$private_pulse_dir/native" pactl info >/dev/null 2>&1; then
    echo "The private PulseAudio server did not start:" >&2
    cat "$private_pulse_dir/log" >&2
    return 1
  fi
  export SOLFARA_TEST_PULSE_SERVER="unix:$private_pulse_dir/native"
  export SOLFARA_TEST_MIC_PIPE="$private_pulse_dir/mic.pipe"
  export SOLFARA_TEST_MIC_RATE=$rate
}

stop_private_pulseaudio() {
  if [[ -n "${private_pulse_pid:-}" ]]; then
    kill "$private_pulse_pid" 2>/dev/null || true
    wait "$private_pulse_pid" 2>/dev/null || true
  fi
  [[ -n "${private_pulse_dir:-}" ]] && rm -rf "$private_pulse_dir"
}
