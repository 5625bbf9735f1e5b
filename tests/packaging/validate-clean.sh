#!/usr/bin/env bash
# Runs a validator and fails on anything it reports, not only on errors:
# a warning about a desktop file is a defect some user's desktop will trip over.
#   validate-clean.sh <validator> [arguments...]
set -uo pipefail

output=$("$@" 2>&1)
status=$?
printf '%s\n' "$output"
if [[ $status -ne 0 ]]; then
  echo "FAIL: $(basename "$1") exited with status $status" >&2
  exit 1
fi
# desktop-file-validate says nothing when all is well; appstreamcli closes with a verdict line.
findings=$(printf '%s\n' "$output" | grep -v -e '^[[:space:]]*$' -e '^✔ Validation was successful')
if [[ -n "$findings" ]]; then
  echo "FAIL: $(basename "$1") reported findings" >&2
  exit 1
fi
echo "PASS: $(basename "$1") found nothing to report"
