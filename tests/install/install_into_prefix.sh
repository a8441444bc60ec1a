#!/usr/bin/env bash
# Installs the build into a temporary prefix, checks that everything a desktop
# needs is where it looks for it, and runs both installed programs.
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
exit "$status"
