#!/bin/bash
# Resident memory of the real program while it listens to a recording:
# starts solfara with --audio-input RECORDING (on a virtual X display when
# there is no display) and prints its VmRSS once a minute for MINUTES minutes.
#   bench/listening_memory.sh build/app/solfara/solfara RECORDING.wav [MINUTES] [DATA_DIR]
# Sound goes to whatever sound server the environment names (PULSE_SERVER);
# without one, the start-up message about sound output is shown and waits.
set -euo pipefail
if [[ -z "${DISPLAY:-}" ]]; then
  exec xvfb-run -a -s '-screen 0 1024x768x24' "$0" "$@"
fi
program=$1
recording=$2
minutes=${3:-10}
data_dir=${4:-$(mktemp -d)}

"$program" --data-dir "$data_dir" --audio-input "$recording" >/dev/null 2>&1 &
pid=$!
for ((m = 1; m <= minutes; m++)); do
  sleep 60
  echo "$m min: $(grep VmRSS "/proc/$pid/status")"
done
kill "$pid"
wait "$pid" || true
