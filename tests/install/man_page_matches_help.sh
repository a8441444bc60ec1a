#!/usr/bin/env bash
# The manual page lists exactly the options that `PROGRAM --help` lists, each
# with the same value name ("--data-dir DIR"), and has the sections a user
# looks for. Where groff is installed, the page must also format without
# warnings.
#   man_page_matches_help.sh PROGRAM MANPAGE
set -euo pipefail
program=$1
page=$2

# "  --data-dir DIR      keep the data ..." -> "--data-dir DIR"
from_help=$("$program" --help | sed -nE 's/^  (--[a-z-]+( [A-Z]+)*)  .*/\1/p' | sort)
# ".TP" followed by "\fB\-\-data\-dir\fR \fIDIR\fR" -> "--data-dir DIR"
from_page=$(sed -n '/^\.TP$/{n;p}' "$page" | grep '^\\fB\\-\\-' |
  sed -E 's/\\-/-/g; s/\\f[BIRP]//g' | sort)

status=0
if [[ -z "$from_help" ]]; then
  echo "no options found in the output of $program --help"
  status=1
fi
if [[ "$from_help" != "$from_page" ]]; then
  echo "options differ between --help and $page:"
  diff <(echo "$from_help") <(echo "$from_page") | sed -n 's/^</  only in --help:/p; s/^>/  only in the page:/p'
  status=1
fi
for section in NAME SYNOPSIS DESCRIPTION OPTIONS FILES ENVIRONMENT "EXIT STATUS"; do
  if ! grep -q "^\.SH \"\?$section\"\?$" "$page"; then
    echo "$page has no $section section"
    status=1
  fi
done
version=$("$program" --version | awk '{print $2}')
if ! grep -q "^\.TH .* \"[a-z]* $version\"" "$page"; then
  echo "$page does not carry version $version"
  status=1
fi
if command -v groff >/dev/null; then
  warnings=$(groff -man -ww -z -t "$page" 2>&1)
  if [[ -n "$warnings" ]]; then
    echo "groff warns about $page:"
    echo "$warnings"
    status=1
  fi
fi
exit "$status"
