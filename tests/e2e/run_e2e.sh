#!/usr/bin/env bash
# End-to-end check of the real program in a real X server: start it, wait for the main window
# after the splash, look at the picture, click "Würfel", then end it with "Programm beenden".
# Usage: run_e2e.sh /path/to/solifa
set -euo pipefail

if [ -z "${SOLIFA_E2E_INNER:-}" ]; then
  export SOLIFA_E2E_INNER=1
  # A server number of its own, so that other X tests running at the same time do not race it
  # for the same free number.
  exec xvfb-run -a -n $((100 + $$ % 800)) -s "-screen 0 1024x768x24" "$0" "$@"
fi

solifa=$(realpath "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "e2e: $*" >&2; exit 1; }

# Colour of one pixel of the screen, as "r,g,b".
pixel() { convert "$1" -format "%[fx:int(255*r)],%[fx:int(255*g)],%[fx:int(255*b)]" -crop "1x1+$2+$3" info:; }
# Number of pixels of one colour inside a rectangle of the screen.
count_colour() { # shot x y w h colour
  convert "$1" -crop "$4x$5+$2+$3" +repage -fill black +opaque "$6" -fill white -opaque "$6" \
    -format "%[fx:int(mean*w*h+0.5)]" info:
}
# Width of the bounding box of one colour inside a rectangle (0 if absent).
colour_width() { # shot x y w h colour
  convert "$1" -crop "$4x$5+$2+$3" +repage -fill black +opaque "$6" -fill white -opaque "$6" \
    -trim -format "%w" info: 2>/dev/null || echo 0
}

cd "$work"
"$solifa" &
pid=$!

wid=""
for _ in $(seq 1 100); do
  wid=$(xdotool search --onlyvisible --name "^SOLIFA V1.3" 2>/dev/null | head -1 || true)
  [ -n "$wid" ] && break
  kill -0 "$pid" 2>/dev/null || fail "the program ended before its window appeared"
  sleep 0.2
done
[ -n "$wid" ] || fail "no main window within 20 s"
sleep 0.5

eval "$(xdotool getwindowgeometry --shell "$wid")"
echo "e2e: window $WIDTH x $HEIGHT at $X,$Y"
[ "$WIDTH" -ge 817 ] && [ "$WIDTH" -le 821 ] || fail "width $WIDTH is not 80 % of 1024"
[ "$HEIGHT" -ge 612 ] && [ "$HEIGHT" -le 616 ] || fail "height $HEIGHT is not 80 % of 768"

# The layout scale and the view's inner area in screen pixels.
s=$(python3 -c "print(12288/9870)")
at() { python3 -c "print(round($1*$s/15))"; }
vx=$((X + $(at 1680) + 2)); vy=$((Y + $(at 120) + 2)); vw=$(( $(at 3255) - 4 ))
cx=$((X + $(at 1365))); cy=$((Y + $(at 4530))); cw=$(( $(at 210) + 30 )); ch=$(at 225)

import -window root before.png
[ "$(pixel before.png $((vx + 1)) $((vy + 1)))" = "0,0,255" ] || fail "the view's corner is not blue"
yellow=$(count_colour before.png $vx $vy $vw $vw "rgb(255,255,0)")
[ "$yellow" -gt 100 ] || fail "no yellow outline in the view ($yellow pixels)"
digits_before=$(colour_width before.png $((cx - 30)) $cy $cw $ch "rgb(0,0,255)")

# Click "Würfel", the second body button.
xdotool mousemove $((X + $(at 847))) $((Y + $(at 787))) click 1
sleep 1
import -window root after.png
changed=$(compare -metric AE -crop "${vw}x${vw}+${vx}+${vy}" before.png after.png null: 2>&1 || true)
[ "${changed%% *}" != "0" ] || fail "the picture did not change after clicking Würfel"
digits_after=$(colour_width after.png $((cx - 30)) $cy $cw $ch "rgb(0,0,255)")
echo "e2e: corner value width $digits_before -> $digits_after pixels"
[ "$digits_after" -gt 0 ] && [ "$digits_after" -lt "$digits_before" ] ||
  fail "the corner value did not become a single digit"

# "Programm beenden".
xdotool mousemove $((X + $(at 8587))) $((Y + $(at 6247))) click 1
for _ in $(seq 1 50); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.2
done
if kill -0 "$pid" 2>/dev/null; then
  kill "$pid"
  fail "the program did not end after Programm beenden"
fi
wait "$pid" && status=0 || status=$?
[ "$status" -eq 0 ] || fail "the program ended with status $status"
echo "e2e: passed"
