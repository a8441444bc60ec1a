#!/usr/bin/env bash
# Installs the build into a temporary prefix, checks that everything a desktop
# needs is where it looks for it, and runs both installed programs from there.
#   install_into_prefix.sh BUILD_DIR VERSION
set -euo pipefail
build=$1
version=$2
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

cmake --install "$build" --prefix "$prefix" >/dev/null

status=0
expect_file() {
  if [[ ! -f "$prefix/$1" ]]; then
    echo "not installed: $1"
    status=1
  fi
}
for id in org.solfara.Solfara:solfara org.solfara.Beatwise:beatwise; do
  desktop_id=${id%%:*}
  program=${id##*:}
  expect_file "bin/$program"
  expect_file "share/applications/$desktop_id.desktop"
  expect_file "share/metainfo/$desktop_id.metainfo.xml"
  expect_file "share/man/man1/$program.1"
  expect_file "share/icons/hicolor/scalable/apps/$program.svg"
  for size in 16 22 24 32 48 64 128 256; do
    expect_file "share/icons/hicolor/${size}x${size}/apps/$program.png"
  done
  # The menu entry names the installed program and icon.
  if ! grep -qx "Exec=$program" "$prefix/share/applications/$desktop_id.desktop" ||
     ! grep -qx "Icon=$program" "$prefix/share/applications/$desktop_id.desktop"; then
    echo "$desktop_id.desktop does not start $program with its icon"
    status=1
  fi
  if ! grep -q "<release version=\"$version\"" "$prefix/share/metainfo/$desktop_id.metainfo.xml"; then
    echo "$desktop_id.metainfo.xml does not name release $version"
    status=1
  fi
  reported=$("$prefix/bin/$program" --version)
  if [[ "$reported" != "$program $version" ]]; then
    echo "installed $program --version says '$reported', expected '$program $version'"
    status=1
  fi
done

# Both installed programs start as a user would start them, on a private
# configuration and runtime directory, and end cleanly on SIGTERM. beatwise
# shows that --scale reached its window: 3 times its size does not fit the
# offscreen screen, and it says so as it lowers the scale.
export XDG_CONFIG_HOME="$prefix/config" XDG_RUNTIME_DIR="$prefix/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
wait_for_file() { # FILE CONTENT: true once FILE holds CONTENT (20 s at most)
  for _ in $(seq 200); do
    grep -qx -e "$2" "$1" 2>/dev/null && return 0
    sleep 0.1
  done
  return 1
}
run_until() { # READY_FILE READY_CONTENT PROGRAM ARGS...
  local ready=$1 content=$2
  shift 2
  "$@" >"$prefix/output" 2>&1 &
  local pid=$!
  if ! wait_for_file "$ready" "$content"; then
    echo "$1 did not start: $(cat "$prefix/output")"
    status=1
  fi
  kill -TERM "$pid" 2>/dev/null || true
  local code=0
  wait "$pid" || code=$?
  if [[ $code -ne 0 ]]; then
    echo "$1 ended with $code on SIGTERM: $(cat "$prefix/output")"
    status=1
  fi
}
run_until "$prefix/data/midpatch.h" ".*" "$prefix/bin/solfara" --data-dir "$prefix/data"
run_until "$prefix/output" "--scale 3 does not fit this screen.*" "$prefix/bin/beatwise" --scale 3
exit "$status"
