#!/usr/bin/env bash
# Checks that every tracked C++ source and header is laid out as
# clang-format 14 lays it out with the committed .clang-format. Lists each
# file it would change and exits non-zero if there is any; nothing is
# rewritten. To fix a file: clang-format-14 -i FILE.
# Installs clang-format first when it is missing (a fresh CI machine).
#   scripts/check_format.sh
set -euo pipefail
cd "$(dirname "$0")/.."

# Another major version lays out some constructs differently, so the check
# holds to the one the tree was formatted with.
scripts/ensure_packages.sh clang-format
formatter=clang-format-14
command -v "$formatter" >/dev/null 2>&1 || formatter=clang-format
if ! "$formatter" --version | grep -q 'version 14\.'; then
  echo "check_format: clang-format 14 is needed; found: $("$formatter" --version)" >&2
  exit 2
fi

scratch=$(mktemp)
trap 'rm -f "$scratch"' EXIT
# --dry-run names each place it would change as FILE:LINE:COL: warning: ...
status=0
# A file deleted but not yet staged is no longer there to check.
git ls-files -z -- '*.cpp' '*.h' | while IFS= read -r -d '' file; do
  if [ -f "$file" ]; then printf '%s\0' "$file"; fi
done | xargs -0 -r "$formatter" --style=file --dry-run >"$scratch" 2>&1 || status=$?
mapfile -t files < <(sed -n 's/^\(.*\):[0-9]*:[0-9]*: \(warning\|error\): code should be clang-formatted.*/\1/p' "$scratch" |
  sort -u)
if [ "$status" -ne 0 ] && [ ${#files[@]} -eq 0 ]; then
  cat "$scratch" >&2
  echo "check_format: $formatter failed" >&2
  exit 2
fi
if [ ${#files[@]} -gt 0 ]; then
  printf '%s\n' "${files[@]}"
  echo "check_format: ${#files[@]} file(s) not laid out as .clang-format says; run $formatter -i on them" >&2
  exit 1
fi
echo "check_format: every C++ file is laid out as .clang-format says"
