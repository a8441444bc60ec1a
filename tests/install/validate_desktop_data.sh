#!/usr/bin/env bash
# Runs a desktop data validator over files; skips (77) when the validator is
# not installed, so the suite still passes on a machine without it.
#   validate_desktop_data.sh desktop FILE...    desktop-file-validate
#   validate_desktop_data.sh metainfo FILE...   appstreamcli validate --no-net
set -euo pipefail
kind=$1
shift
case "$kind" in
  desktop) validator=(desktop-file-validate) ;;
  metainfo) validator=(appstreamcli validate --no-net) ;;
  *) echo "unknown kind: $kind" >&2; exit 2 ;;
esac
if ! command -v "${validator[0]}" >/dev/null; then
  echo "${validator[0]} is not installed (scripts/install-deps.sh --test installs it)"
  exit 77
fi
status=0
for file in "$@"; do
  # desktop-file-validate reports hints on stdout but fails only on errors.
  output=$("${validator[@]}" "$file" 2>&1) || status=1
  if [[ "$kind" == desktop && -n "$output" ]]; then
    status=1
  fi
  [[ -n "$output" ]] && echo "$file: $output"
done
exit "$status"
