#!/usr/bin/env bash
# Runs clang-tidy 14 with the committed .clang-tidy over the C++ files a
# build compiles, and fails on any finding. Each finding is printed once as
# FILE:LINE:COL: warning: ... [check]; headers under src/ are checked through
# a file that includes them.
#   scripts/check_tidy.sh [BUILD_DIR] [--all]
# The whole tree takes about 20 minutes on a 2-core machine, too long for
# every test run, so by default only the files changed since the commit in
# scripts/tidy_baseline are checked (committed or not), with one file that
# includes each changed header. --all checks every file; after a clean --all
# run, the baseline can move to that commit. A clone without the baseline
# commit (a shallow one) checks every file.
# BUILD_DIR (default build) must have been configured, and built far enough
# that the generated sources exist: it gives compile_commands.json.
set -euo pipefail
cd "$(dirname "$0")/.."
build=build
all=false
for argument in "$@"; do
  case "$argument" in
    --all) all=true ;;
    -*)
      echo "usage: scripts/check_tidy.sh [BUILD_DIR] [--all]" >&2
      exit 2
      ;;
    *) build=$argument ;;
  esac
done
database=$build/compile_commands.json
if [ ! -f "$database" ]; then
  echo "check_tidy: no $database; configure and build first" >&2
  exit 2
fi

scripts/ensure_packages.sh clang-tidy
tidy=clang-tidy-14
command -v "$tidy" >/dev/null 2>&1 || tidy=clang-tidy
if ! "$tidy" --version | grep -q 'version 14\.'; then
  echo "check_tidy: clang-tidy 14 is needed; found: $("$tidy" --version)" >&2
  exit 2
fi
jobs=$(nproc 2>/dev/null || echo 2)
root=$(pwd)

# The project's own sources in the build: generated files (moc) are left out.
mapfile -t compiled < <(sed -n 's/^ *"file": "\(.*\)",\{0,1\}$/\1/p' "$database" |
  grep "^$root/" | grep -v "^$root/$build/" | sed "s|^$root/||" | sort -u)

baseline=$(grep -v '^#' scripts/tidy_baseline | head -n 1)
if ! $all && ! git rev-parse -q --verify "$baseline^{commit}" >/dev/null; then
  echo "check_tidy: the baseline commit $baseline is not in this clone; checking every file"
  all=true
fi
if $all; then
  files=("${compiled[@]}")
else
  mapfile -t changed < <({
    git diff --name-only --diff-filter=d "$baseline" -- '*.cpp' '*.h'
    git ls-files --others --exclude-standard -- '*.cpp' '*.h'
  } | sort -u)
  declare -A chosen=()
  for file in "${changed[@]}"; do
    case "$file" in
      *.cpp)
        if printf '%s\n' "${compiled[@]}" | grep -qxF "$file"; then chosen[$file]=1; fi
        ;;
      src/*.h)
        # The header's own source file if it has one, else any that includes it.
        own=${file%.h}.cpp
        if printf '%s\n' "${compiled[@]}" | grep -qxF "$own"; then
          chosen[$own]=1
          continue
        fi
        header=${file#src/}
        for candidate in "${compiled[@]}"; do
          if grep -qF "#include \"$header\"" "$candidate"; then
            chosen[$candidate]=1
            break
          fi
        done
        ;;
    esac
  done
  files=("${!chosen[@]}")
fi
if [ ${#files[@]} -eq 0 ]; then
  echo "check_tidy: no C++ file changed since $baseline"
  exit 0
fi
echo "check_tidy: ${#files[@]} file(s)$($all || echo " changed since $baseline")"

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
# g++'s own warning options mean nothing to clang; the checks are what counts.
status=0
printf '%s\0' "${files[@]}" | sort -z |
  xargs -0 -r -n 1 -P "$jobs" sh -c '"$0" -p "$1" --quiet --extra-arg=-Wno-unknown-warning-option "$3" \
    >"$2/$(printf %s "$3" | tr / _).log" 2>&1' "$tidy" "$build" "$scratch" || status=$?
findings=$(cat "$scratch"/*.log | { grep -E '^[^ ]+:[0-9]+:[0-9]+: (warning|error):' || true; } |
  sed "s|^$root/||" | sort -u)
if [ -n "$findings" ]; then
  echo "$findings"
  echo "check_tidy: $(echo "$findings" | wc -l) finding(s)" >&2
  exit 1
fi
if [ "$status" -ne 0 ]; then
  cat "$scratch"/*.log >&2
  echo "check_tidy: $tidy failed" >&2
  exit 2
fi
echo "check_tidy: no findings"
