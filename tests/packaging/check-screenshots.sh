#!/usr/bin/env bash
# Every screenshot the metainfo names under the project's home page must be a PNG picture
# in the source tree, at the same path: a software centre shows a broken image otherwise.
#   check-screenshots.sh <metainfo.xml> <project URL> <source folder>
set -euo pipefail
metainfo=$1 url=$2 source=$3

mapfile -t images < <(sed -n 's:.*<image[^>]*>\(.*\)</image>.*:\1:p' "$metainfo")
[[ ${#images[@]} -gt 0 ]] || { echo "FAIL: the metainfo names no screenshot" >&2; exit 1; }

failures=0
for image in "${images[@]}"; do
  if [[ "$image" != "$url/"* ]]; then
    echo "FAIL: $image is not under $url" >&2; failures=$((failures + 1)); continue
  fi
  path=$source/${image#"$url/"}
  kind=$(file -b "$path" 2>/dev/null || true)
  if [[ "$kind" == "PNG image data"* ]]; then echo "ok: $image is ${path#"$source/"}: $kind"
  else echo "FAIL: $image: ${path#"$source/"} is not a PNG picture (${kind:-missing})" >&2; failures=$((failures + 1)); fi
done
[[ $failures -eq 0 ]]
