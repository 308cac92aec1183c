#!/usr/bin/env bash
# The folders of src/ are layers: a folder includes only itself and the folders it may use, and
# each folder's sources belong to one library of src/CMakeLists.txt. The table below is the
# picture of the layers; an include that goes up or sideways fails here before it tangles.
# Usage: check_layers.sh SRC_DIR
set -euo pipefail
src=${1:?source folder}

declare -A may_use=(
  [core]=""
  [qtpaint]="core"
  [files]="core qtpaint"
  [platform]="core qtpaint"
  [widgets]="core qtpaint platform"
  [app]=""
  [app/dialogs]="core qtpaint platform widgets app"
  [app/actions]="core qtpaint files platform widgets app app/dialogs"
  [app/window]="core qtpaint files platform widgets app app/dialogs app/actions"
  [cli]="core qtpaint files"
  [tools]="core qtpaint files platform widgets app/dialogs"
)

failures=0
while IFS= read -r file; do
  rel=${file#"$src"/}
  folder=$(dirname "$rel")
  if [ -z "${may_use[$folder]+set}" ]; then
    echo "check_layers: $rel lies in a folder that is no layer: $folder" >&2
    failures=$((failures + 1))
    continue
  fi
  while IFS= read -r used; do
    [ "$used" = "$folder" ] && continue
    case " ${may_use[$folder]} " in
      *" $used "*) ;;
      *)
        echo "check_layers: $rel includes from $used, which $folder may not use" >&2
        failures=$((failures + 1))
        ;;
    esac
  done < <(sed -n 's/^#include "\(.*\)\/[^/]*"/\1/p' "$file" | sort -u)
done < <(find "$src" -name '*.cpp' -o -name '*.h' | sort)

# One folder, one library: every source named in a library lies in that library's folder.
while IFS= read -r block; do
  name=${block%% *}
  folders=$(tr ' ' '\n' <<< "${block#* }" | grep -E '\.(cpp|h)$' | xargs -n1 dirname | sort -u)
  if [ "$(wc -l <<< "$folders")" -ne 1 ]; then
    echo "check_layers: library $name takes sources from several folders:" $folders >&2
    failures=$((failures + 1))
  fi
done < <(tr '\n' ' ' < "$src/CMakeLists.txt" | grep -oE 'add_library\([a-z_]+ STATIC[^)]*\)' |
         sed -E 's/add_library\(([a-z_]+) STATIC ([^)]*)\)/\1 \2/; s/ +/ /g')

if [ "$failures" -ne 0 ]; then
  echo "check_layers: $failures problem(s)" >&2
  exit 1
fi
echo "check_layers: every include goes down the layers; one library per folder"
