#!/usr/bin/env bash
# The bash completion of solifa-render, driven as bash drives it: every option of --help and no
# other, the bodies in both languages, the formats, pictures and folders after -o, files after
# --dump-json, and values after "=".
# Usage: check_completion.sh SOLIFA_RENDER COMPLETION_FILE
set -euo pipefail
export LC_ALL=C.UTF-8
program=$1
# shellcheck source=/dev/null
source "$2"
fail() { echo "completion: $*" >&2; exit 1; }

# What the completion offers for the words of a line, the last one being completed.
offers() {
  COMP_WORDS=(solifa-render "$@")
  COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
  COMP_LINE="${COMP_WORDS[*]}"
  COMP_POINT=${#COMP_LINE}
  COMPREPLY=()
  _solifa_render
  printf '%s\n' "${COMPREPLY[@]}" | sort
}
expect() { # expected words (one line, space-separated) -- words of the line
  local want=$1
  shift
  local got
  got=$(offers "$@" | tr '\n' ' ' | sed 's/ $//')
  [ "$got" = "$want" ] || fail "for \"$*\" offered \"$got\", expected \"$want\""
}

[ "$(complete -p solifa-render)" = "complete -F _solifa_render solifa-render" ] ||
  fail "the function is not bound to solifa-render"

# Every option of the help, both names of each, and nothing else.
help_options=$("$program" --help | grep -E '^  -' | sed -E 's/^  //; s/  .*//' |
  grep -oE -- '(^|[ ,])--?[a-z][a-z-]*' | tr -d ' ,' | sort -u)
offered=$(offers "-" | grep -vxE -- '--[a-z]') # Qt takes -x also as --x
[ "$offered" = "$help_options" ] ||
  fail "offered options differ from --help: $(diff <(echo "$offered") <(echo "$help_options") | tr '\n' ' ')"
expect "--body --bottom-cap-transparent" --bo
expect "--line-width" --li

expect "Kegel Kugel" --body K
expect "Wuerfel Würfel" --body W
expect "cone cube cylinder" --tilt 30 --body c
[ "$(offers --body "" | wc -l)" -eq 15 ] || fail "not every body name offered"
expect "funnel" --body = fu
# The formats as the renderer's --help lists them, from its table of formats.
formats=$("$program" --help | sed -nE 's/.*--format <([a-z|]+)>.*/\1/p' | tr '|' '\n' | sort)
[ -n "$formats" ] || fail "no formats in --help"
expect "$(echo $formats)" --format ""
expect "" --zoom ""
expect "" --front-line-color "#"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
mkdir bilder
touch a.png B.SVG c.txt kegel.gif "mit leer.pdf" m.json
expect "- B.SVG a.png bilder kegel.gif mit leer.pdf" -o ""
expect "kegel.gif" --output k
expect "m.json" --body cube --dump-json m.
expect "B.SVG a.png bilder c.txt kegel.gif m.json mit leer.pdf" --dump-json ""
# Every format's pictures in either letter case, and nothing else, are offered after -o.
mkdir formate
touch formate/anders.txt
for format in $formats; do touch "formate/klein.$format" "formate/GROSS.${format^^}"; done
expect "$(ls formate | grep -v txt | sed 's|^|formate/|' | sort | tr '\n' ' ' | sed 's/ $//')" -o formate/
echo "completion: passed"
