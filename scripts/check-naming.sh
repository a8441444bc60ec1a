#!/usr/bin/env bash
# Checks the naming rule of .clang-tidy over every source file of the programs
# (not the tests or benchmarks), with the compile commands of a configured
# build directory. Exits non-zero and lists the names when one breaks it.
#   scripts/check-naming.sh [BUILD_DIR]     (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
command -v run-clang-tidy >/dev/null || { echo "run-clang-tidy is needed (clang-tidy)" >&2; exit 1; }
[[ -f "$build/compile_commands.json" ]] || { echo "configure $build first" >&2; exit 1; }
# Generated sources (moc, resources) are the tools', not ours.
sources='^'"$PWD"'/(base|platform|music|voice|midi|render|drill|solfara|settings|rhythm|beatwise|app)/.*\.cpp$'
output=$(run-clang-tidy -quiet -j "$(nproc)" -p "$build" "$sources" 2>&1) || status=$?
if grep -E "(warning|error): " <<<"$output" | sort -u; then
  echo "Names that break the rule of .clang-tidy are listed above." >&2
  exit 1
fi
[[ ${status:-0} -eq 0 ]] || { echo "$output" | tail -20 >&2; exit 1; }
echo "Naming rule: every source file passes."
