#!/usr/bin/env bash
# The manual pages render without a warning, solifa-render's page describes every option its
# --help lists (and none it does not), and both name the exit statuses.
# Usage: check_manual_pages.sh SOLIFA_RENDER SOLIFA_RENDER_PAGE SOLIFA_PAGE
set -euo pipefail
export LC_ALL=C.UTF-8
program=$1
render_page=$2
window_page=$3
fail() { echo "manual pages: $*" >&2; exit 1; }

for page in "$render_page" "$window_page"; do
  warnings=$(groff -man -ww -z "$page" 2>&1) || fail "groff fails on $page"
  [ -z "$warnings" ] || fail "$page: $warnings"
done

# The options of the help: its left column, from the start of each option line.
help_options=$("$program" --help | grep -E '^  -' | sed -E 's/^  //; s/  .*//' |
  grep -oE -- '(^|[ ,])--?[a-z][a-z-]*' | tr -d ' ,' | sort -u)
[ -n "$help_options" ] || fail "no options in --help"

# The options the page describes: the tags of its option list (the line after each .TP),
# without font changes and with \- as the hyphen it prints.
page_options=$(awk 'tag { print; tag = 0 } /^\.TP/ { tag = 1 }' "$render_page" |
  sed -E 's/\\f[BIRP]//g; s/\\-/-/g' | grep -oE -- '(^|[ ,"])--?[a-z][a-z-]*' |
  tr -d ' ,"' | sort -u)

for option in $help_options; do
  grep -qx -- "$option" <<<"$page_options" || fail "$option of --help is not described in the page"
done
for option in $page_options; do
  # A one-letter option is also taken with two dashes.
  short=$option
  [[ $option =~ ^--.$ ]] && short=${option#-}
  grep -qx -- "$short" <<<"$help_options" || fail "the page describes $option, which --help does not list"
done

# The formats: the page's --format values and its list of extensions are those of --help.
formats=$("$program" --help | sed -nE 's/.*--format <([a-z|]+)>.*/\1/p')
[ -n "$formats" ] || fail "no formats in --help"
grep -qxF ".BI \\-\\-format \" $formats\"" "$render_page" ||
  fail "the page's --format does not list $formats"
page_extensions=$(grep -E '^\.IR \.[a-z]+ ' "$render_page" | grep -oE '\.[a-z]+' | sed 's/^\.//' |
  tr '\n' '|' | sed 's/|$//')
[ "$page_extensions" = "$formats" ] ||
  fail "the page names the extensions $page_extensions, --help $formats"

# The exit statuses as a list of their own.
statuses=$(awk '/^\.SH EXIT STATUS/ { on = 1; next } /^\.SH/ { on = 0 } on && /^\.B [0-9]$/ { print $2 }' "$render_page" | tr '\n' ' ')
[ "$statuses" = "0 1 2 " ] || fail "the exit statuses listed are \"$statuses\", not 0 1 2"
for page in "$render_page" "$window_page"; do
  for section in NAME SYNOPSIS DESCRIPTION "SEE ALSO"; do
    grep -q "^\.SH $section" "$page" || fail "$page has no section $section"
  done
done
grep -q '^\.SH FILES' "$window_page" && grep -q '^\.SH ENVIRONMENT' "$window_page" ||
  fail "$window_page does not say its files and environment"
echo "manual pages: passed ($(wc -w <<<"$help_options") options)"
