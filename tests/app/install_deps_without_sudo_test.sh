#!/usr/bin/env bash
# Runs scripts/install-deps.sh as a user who is not root, with a PATH in which
# sudo does not exist and every package counts as missing: the script must
# say what to do and fail, without reaching apt-get.
# Usage: install_deps_without_sudo_test.sh PATH/TO/install-deps.sh
# Exit 77 (skipped) where no non-root user can be had.
set -uo pipefail
script=$1

sandbox=$(mktemp -d)
trap 'rm -rf "$sandbox"' EXIT
chmod 755 "$sandbox"
mkdir "$sandbox/bin"
cp "$script" "$sandbox/install-deps.sh"
# Just the tools the script uses, so that a sudo in /usr/bin is not found.
for tool in bash env id grep cat; do
  ln -s "$(command -v "$tool")" "$sandbox/bin/$tool"
done
printf '#!/bin/sh\nexit 1\n' >"$sandbox/bin/dpkg-query" # nothing is installed
printf '#!/bin/sh\necho apt-get was run >&2\nexit 0\n' >"$sandbox/bin/apt-get"
chmod 755 "$sandbox/bin/dpkg-query" "$sandbox/bin/apt-get" "$sandbox/install-deps.sh"

run=(env -i PATH="$sandbox/bin" HOME="$sandbox" bash "$sandbox/install-deps.sh")
if [[ $(id -u) -eq 0 ]]; then
  # As root: run it as the nobody user (65534), whether or not it is named.
  command -v setpriv >/dev/null || { echo "setpriv is missing: skipped"; exit 77; }
  run=(setpriv --reuid=65534 --regid=65534 --clear-groups "${run[@]}")
fi

output=$("${run[@]}" 2>&1)
status=$?
echo "$output"
failures=0
check() { # check DESCRIPTION COMMAND...
  local description=$1
  shift
  if ! "$@"; then
    echo "FAILED: $description"
    failures=$((failures + 1))
  fi
}
check "the script fails (exit status $status)" test "$status" -ne 0
check "it says to run it as root" grep -q "as root" <<<"$output"
check "it says to install sudo" grep -q "install sudo" <<<"$output"
check "it names the missing packages" grep -q "missing: .*cmake" <<<"$output"
check "apt-get is not run" bash -c '! grep -q "apt-get was run" <<<"$1"' _ "$output"
check "no bare 'command not found'" bash -c '! grep -q "command not found" <<<"$1"' _ "$output"
exit $((failures > 0))
