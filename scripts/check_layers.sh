#!/usr/bin/env bash
# Checks that includes under src/ point one way, down the layers:
#   core/*                                      0  (and no Qt header at all)
#   gfx                                         1
#   ui/kit                                      2
#   ui/document                                 3
#   ui/form, ui/editors, ui/transfer, ui/reports 4  (none of them includes another)
#   ui/shell                                    5
#   cli                                         core, gfx and cli only; nothing else includes cli
# Prints file:line and the include for each violation and exits non-zero if
# there is any. Usage: scripts/check_layers.sh [SOURCE_ROOT] (default: src/
# beside this script's folder).
set -euo pipefail
src=${1:-"$(cd "$(dirname "$0")/.." && pwd)/src"}
src=${src%/}
# Reported paths start with the source folder as given, relative to the
# project when it is the default.
shown=${1:-src}
shown=${shown%/}
if [ ! -d "$src" ]; then
  echo "check_layers: no source folder $src" >&2
  exit 2
fi

# The layer a path relative to src/ belongs to: "rank group", or nothing
# when the path is in no known layer. The group tells apart the folders
# that share a rank.
layer_of() {
  case "$1" in
    core/*) echo "0 core" ;;
    gfx/*) echo "1 gfx" ;;
    ui/kit/*) echo "2 ui/kit" ;;
    ui/document/*) echo "3 ui/document" ;;
    ui/form/*) echo "4 ui/form" ;;
    ui/editors/*) echo "4 ui/editors" ;;
    ui/transfer/*) echo "4 ui/transfer" ;;
    ui/reports/*) echo "4 ui/reports" ;;
    ui/shell/*) echo "5 ui/shell" ;;
    cli/*) echo "c cli" ;;
    *) echo "" ;;
  esac
}

failures=0
report() {
  echo "$1: $2  ($3)"
  failures=$((failures + 1))
}

while IFS= read -r -d '' path; do
  rel=${path#"$src"/}
  case "$rel" in
    */CMakeLists.txt | CMakeLists.txt) continue ;;
  esac
  own=$(layer_of "$rel")
  if [ -z "$own" ]; then
    report "$shown/$rel:1" "(whole file)" "the folder is in no known layer"
    continue
  fi
  own_rank=${own%% *}
  own_group=${own#* }
  line_no=0
  while IFS= read -r line || [ -n "$line" ]; do
    line_no=$((line_no + 1))
    [[ $line =~ ^[[:space:]]*#[[:space:]]*include[[:space:]]*([\"\<])([^\"\>]+)[\"\>] ]] || continue
    bracket=${BASH_REMATCH[1]}
    header=${BASH_REMATCH[2]}
    where="$shown/$rel:$line_no"
    text=$(printf '%s' "$line" | sed 's/^[[:space:]]*//')
    if [ "$own_rank" = 0 ] && [ "$bracket" = "<" ] && [[ $header == Q* ]]; then
      report "$where" "$text" "the core uses no Qt"
      continue
    fi
    case "$header" in
      core/* | gfx/* | ui/* | cli/*) ;;
      *) continue ;;
    esac
    target=$(layer_of "$header")
    if [ -z "$target" ]; then
      report "$where" "$text" "the header is in no known layer"
      continue
    fi
    target_rank=${target%% *}
    target_group=${target#* }
    if [ "$own_rank" = c ]; then
      case "$target_group" in
        core | gfx | cli) ;;
        *) report "$where" "$text" "cli may include core, gfx and cli only" ;;
      esac
    elif [ "$target_rank" = c ]; then
      report "$where" "$text" "only cli includes cli"
    elif [ "$target_rank" -gt "$own_rank" ]; then
      report "$where" "$text" "$own_group includes the higher layer $target_group"
    elif [ "$target_rank" = 4 ] && [ "$own_rank" = 4 ] && [ "$target_group" != "$own_group" ]; then
      report "$where" "$text" "$own_group and $target_group do not include each other"
    fi
  done < "$path"
done < <(find "$src" -type f -print0 | sort -z)

if [ "$failures" -gt 0 ]; then
  echo "check_layers: $failures include(s) against the layer rule (see docs/layout.md)" >&2
  exit 1
fi
echo "check_layers: every include points down the layers"
