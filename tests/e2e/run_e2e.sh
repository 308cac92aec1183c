#!/usr/bin/env bash
# End-to-end check of the real program in a real X server: start it, wait for the main window
# after the splash, look at the picture, click "Würfel", save a PNG through the real file
# dialog, print it through the real printer dialog on a print system of the test's own, save a
# GIF series, then end it with "Programm beenden".
# Usage: run_e2e.sh /path/to/solifa [WIDTHxHEIGHT]
# On a screen other than 1024 x 768 only the start, the window's size and the exit are checked.
set -euo pipefail

screen=${2:-1024x768}
if [ -z "${SOLIFA_E2E_INNER:-}" ]; then
  export SOLIFA_E2E_INNER=1
  # The full run prints once, through a print system of its own.
  print_system=()
  private_cups=$(dirname "$(realpath "$0")")/../support/private_cups.sh
  if [ "$screen" = 1024x768 ]; then
    if "$private_cups" --available; then
      print_system=("$private_cups")
    else
      echo "e2e: no private print system here (root, cups, cups-pdf); printing is not checked"
    fi
  fi
  # A server number of its own, so that other X tests running at the same time do not race it
  # for the same free number.
  exec "${print_system[@]}" xvfb-run -a -n $((100 + $$ % 800)) -s "-screen 0 ${screen}x24" \
    "$0" "$@"
fi
screen_w=${screen%x*}
screen_h=${screen#*x}

solifa=$(realpath "$1")
reader=$(dirname "$(realpath "$0")")/atspi_controls.py
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
# Four fifths of the screen's height, and as wide as the design's proportions allow.
read -r want_w want_h < <(python3 -c "
w, h = $screen_w, $screen_h
print(round(min(0.8 * w, 0.8 * h * 9870 / 6675)), round(0.8 * h))")
[ $((WIDTH - want_w)) -ge -2 ] && [ $((WIDTH - want_w)) -le 2 ] || fail "width $WIDTH, not $want_w"
[ $((HEIGHT - want_h)) -ge -2 ] && [ $((HEIGHT - want_h)) -le 2 ] || fail "height $HEIGHT, not $want_h"

# The layout scale (the whole design inside the window) and design twips in screen pixels.
s=$(python3 -c "print(min($WIDTH * 15 / 9870, $HEIGHT * 15 / 6675))")
at() { python3 -c "print(round($1*$s/15))"; }
click_at() { xdotool mousemove $((X + $(at "$1"))) $((Y + $(at "$2"))) click 1; }
vx=$((X + $(at 1680) + 2)); vy=$((Y + $(at 120) + 2)); vw=$(( $(at 3255) - 4 ))
cx=$((X + $(at 1365))); cy=$((Y + $(at 4530))); cw=$(( $(at 210) + 30 )); ch=$(at 225)

import -window root before.png
[ "$(pixel before.png $((vx + 1)) $((vy + 1)))" = "0,0,255" ] || fail "the view's corner is not blue"
yellow=$(count_colour before.png $vx $vy $vw $vw "rgb(255,255,0)")
[ "$yellow" -gt 100 ] || fail "no yellow outline in the view ($yellow pixels)"
digits_before=$(colour_width before.png $((cx - 30)) $cy $cw $ch "rgb(0,0,255)")

# Click "Würfel", the second body button.
click_at 847 787
sleep 1
import -window root after.png
changed=$(compare -metric AE -crop "${vw}x${vw}+${vx}+${vy}" before.png after.png null: 2>&1 || true)
[ "${changed%% *}" != "0" ] || fail "the picture did not change after clicking Würfel"
digits_after=$(colour_width after.png $((cx - 30)) $cy $cw $ch "rgb(0,0,255)")
echo "e2e: corner value width $digits_before -> $digits_after pixels"
[ "$digits_after" -gt 0 ] && [ "$digits_after" -lt "$digits_before" ] ||
  fail "the corner value did not become a single digit"

if [ "$screen" = 1024x768 ]; then
  # Waits until a window of this title shows; echoes its id.
  window_named() {
    local w=""
    for _ in $(seq 1 50); do
      w=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1 || true)
      [ -n "$w" ] && { echo "$w"; return; }
      sleep 0.2
    done
    fail "no window \"$1\""
  }
  # Waits until no window of this title shows.
  window_gone() {
    for _ in $(seq 1 50); do
      xdotool search --onlyvisible --name "$1" >/dev/null 2>&1 || return 0
      sleep 0.2
    done
    fail "the window \"$1\" stayed open"
  }
  # "Datei erzeugen"; the name is typed into the real dialog's field, or the offered one kept.
  save_as() { # name-or-empty
    echo "e2e: saving ${1:-the offered name}"
    click_at 8587 3007
    local dialog
    dialog=$(window_named "^Speichern unter$")
    sleep 0.5
    # Real key presses (XTEST) into the focused dialog; its name field has the focus.
    xdotool windowfocus --sync "$dialog"
    if [ -n "$1" ]; then
      xdotool key ctrl+a
      xdotool type --delay 20 "$1"
    fi
    xdotool key Return
    window_gone "^Speichern unter$"
  }
  # Confirms the message that ends a write ("Die Datei ... wurde erzeugt!").
  confirm_message() {
    local box
    box=$(window_named "^Datei erzeugen$")
    echo "e2e: message confirmed"
    sleep 0.3
    xdotool windowfocus --sync "$box"
    xdotool key Return
    window_gone "^Datei erzeugen$"
  }

  save_as "$work/bild.png"
  confirm_message
  [ "$(identify -format %m "$work/bild.png")" = PNG ] || fail "bild.png is not a PNG"
  # The name offered next time is the one just written; confirming it writes no second file.
  save_as ""
  confirm_message
  files=$(ls "$work" | grep -v -x -e before.png -e after.png | tr '\n' ' ')
  [ "$files" = "bild.png " ] || fail "the folder holds $files instead of bild.png alone"

  # "Bitmap drucken" through the real printer dialog, to the private print system's default
  # queue, a cups-pdf printer: one A4 page with the output picture's own pixels where the
  # program places it.
  if [ -n "${SOLIFA_PRINT_OUT:-}" ]; then
    echo "e2e: printing"
    click_at 8587 1807
    dialog=$(window_named "^(Drucken|Print)$")
    sleep 0.5
    xdotool windowfocus --sync "$dialog"
    xdotool key Return
    window_gone "^(Drucken|Print)$"
    pdf=""
    for _ in $(seq 1 300); do
      pdf=$(find "$SOLIFA_PRINT_OUT" -name '*.pdf' | head -1)
      [ -n "$pdf" ] && [ -z "$(lpstat -W not-completed -o)" ] && break
      sleep 0.2
    done
    [ -n "$pdf" ] || fail "no PDF from the print system"
    mkdir "$work/print"
    pdfinfo "$pdf" | grep -q "^Pages: *1$" || fail "the printed PDF has not one page"
    pdfinfo "$pdf" | grep -q "^Page size:.*(A4)" || fail "the printed page is not A4"
    encodings=$(pdfimages -list "$pdf" | tail -n +3 | awk '{print $9}' | tr '\n' ' ')
    echo "e2e: printed images: $encodings"
    [ "$encodings" = "image " ] || fail "the page holds the images \"$encodings\", not one lossless"
    pdfimages -png "$pdf" "$work/print/bild"
    differing=$(compare -metric AE "$work/bild.png" "$work/print/bild-000.png" null: 2>&1 || true)
    [ "$differing" = 0 ] || fail "the printed picture differs from bild.png in $differing pixels"
    # Where it stands: the painted box on the page rendered at 96 dpi. The picture is w x h
    # units, its outer size on the 96-dpi display in centimetres (2 border pixels on each
    # side), 2 units below the top of the drawing area and centred across its 21.1 units; the
    # drawing area is the page less the printer's margins, alike on every side.
    pdftoppm -r 96 -png -singlefile "$pdf" "$work/print/seite"
    read -r page_w page_h box_w box_h box_x box_y < <(convert "$work/print/seite.png" \
      -format "%w %h " -write info: -trim -format "%w %h %X %Y\n" info: | tr -d '+')
    read -r picture_w picture_h < <(identify -format "%w %h\n" "$work/bild.png")
    read -r margin want_x want_y want_h < <(python3 -c "
w, h = ($picture_w + 4) * 2.54 / 96, ($picture_h + 4) * 2.54 / 96
unit_x = $box_w / w
margin = ($page_w - 21.1 * unit_x) / 2
unit_y = ($page_h - 2 * margin) / 29.7
print(round(margin), round(margin + (21.1 - w) / 2 * unit_x), round(margin + 2 * unit_y),
      round(h * unit_y))")
    echo "e2e: printed $box_w x $box_h at $box_x,$box_y; placed at $want_x,$want_y," \
      "$want_h high, within margins of $margin px"
    [ "$margin" -ge 0 ] && [ "$margin" -le 38 ] || fail "the printed picture has a wrong size"
    for pair in "$box_x $want_x" "$box_y $want_y" "$box_h $want_h"; do
      set -- $pair
      [ $(($1 - $2)) -ge -1 ] && [ $(($1 - $2)) -le 1 ] ||
        fail "the printed picture stands at $box_x,$box_y, $box_w x $box_h, not where placed"
    done
  fi

  # A series while the body turns: "ein", then a GIF name; one looping animation of its frames.
  click_at 787 5827
  sleep 0.5
  save_as "$work/dreh.gif"
  confirm_message
  frames=$(identify "$work/dreh.gif" | wc -l)
  echo "e2e: dreh.gif holds $frames frames"
  [ "$frames" -eq 8 ] || fail "dreh.gif holds $frames frames, not 8"
  click_at 787 5827

  # The window's own keys and the view's menu. From the start cube, with the output picture as
  # wide as the view, so that it holds the view's own points: "Würfel", right click on the view
  # and "Arbeitsblatt-Darstellung", Ctrl+S, the name, Return, OK. The picture is the renderer's
  # worksheet cube, and 16 rows of paper below it.
  echo "e2e: the worksheet cube by the view's menu and Ctrl+S"
  click_at 847 307
  click_at 847 787
  for _ in 1 2 3 4 5 6; do click_at 7740 937; done
  xdotool mousemove $((vx + vw / 2)) $((vy + vw / 4)) click 3
  sleep 0.5
  xdotool key Down Return
  sleep 0.5
  keys_to_window() { xdotool windowfocus --sync "$wid"; xdotool key "$@"; }
  keys_to_window ctrl+s
  dialog=$(window_named "^Speichern unter$")
  sleep 0.5
  xdotool windowfocus --sync "$dialog"
  xdotool key ctrl+a
  xdotool type --delay 20 "$work/arbeitsblatt.png"
  xdotool key Return
  window_gone "^Speichern unter$"
  confirm_message
  [ "$(identify -format "%w %h" "$work/arbeitsblatt.png")" = "$vw $((vw + 16))" ] ||
    fail "arbeitsblatt.png is not $vw x $((vw + 16)) pixels"
  "$(dirname "$solifa")/solifa-render" --body Würfel --view-width "$vw" --background "#ffffff" \
    --front-line-color "#000000" --back-line-color "#000000" --front-transparent 1 \
    --back-transparent 1 --front-dash 1 --back-dash 2 --top-cap-transparent 1 \
    --bottom-cap-transparent 1 -o "$work/renderer.png"
  convert "$work/arbeitsblatt.png" -crop "${vw}x${vw}+0+0" +repage "$work/square.png"
  differing=$(compare -metric AE "$work/square.png" "$work/renderer.png" null: 2>&1 || true)
  [ "$differing" = 0 ] || fail "the worksheet cube differs from the renderer's in $differing pixels"
  [ "$(count_colour "$work/arbeitsblatt.png" 0 "$vw" "$vw" 16 "rgb(255,255,255)")" = $((vw * 16)) ] ||
    fail "the rows below the worksheet cube are not white"

  # Ctrl+C: the same picture on the X clipboard, after the design's message.
  keys_to_window ctrl+c
  box=$(window_named "^Bitmap-Grafik ablegen$")
  sleep 0.3
  xdotool windowfocus --sync "$box"
  xdotool key Return
  window_gone "^Bitmap-Grafik ablegen$"
  xclip -selection clipboard -t TARGETS -o | grep -qx image/png ||
    fail "the clipboard offers no image/png"
  xclip -selection clipboard -t image/png -o >"$work/ablage.png"
  differing=$(compare -metric AE "$work/arbeitsblatt.png" "$work/ablage.png" null: 2>&1 || true)
  [ "$differing" = 0 ] || fail "the clipboard's picture differs from the file in $differing pixels"

  # F1 opens "Info"; Ctrl+Q then ends the program, the information window with it.
  keys_to_window F1
  window_named "^Information$" >/dev/null
  echo "e2e: F1 opened Information"
  quit_keys=ctrl+q
fi

# "Programm beenden", by its key where the window's keys are checked.
if [ -n "${quit_keys:-}" ]; then
  xdotool windowfocus --sync "$wid"
  xdotool key "$quit_keys"
else
  click_at 8587 6247
fi
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

# --- Assistive technology: the controls as a screen reader reads them ---
# A second start with Qt's accessibility bridge on, on a session bus of its own (never the
# machine's); the AT-SPI bus and its registry start on that bus by activation and end with it.
# The reader finds the controls by name, then presses "Programm beenden", which ends the
# program with status 0.
if [ "$screen" = 1024x768 ]; then
  if command -v dbus-run-session >/dev/null && [ -x /usr/libexec/at-spi-bus-launcher ] &&
    /usr/bin/python3 -c "import pyatspi" 2>/dev/null; then
    echo "e2e: reading the controls through the accessibility bus"
    dbus-run-session -- env QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1 bash -c '
      "$1" & pid=$!
      /usr/bin/python3 "$2" solifa Kippwinkel Zoomfaktor Hintergrundfarbe "Linienart hinten" \
        "Datei erzeugen" "Programm beenden" --press "Programm beenden" || { kill $pid; exit 1; }
      for _ in $(seq 1 50); do kill -0 $pid 2>/dev/null || break; sleep 0.2; done
      if kill -0 $pid 2>/dev/null; then
        kill $pid
        echo "e2e: the program did not end when the reader pressed Programm beenden" >&2
        exit 1
      fi
      wait $pid
    ' atspi "$solifa" "$reader" >"$work/atspi.log" 2>&1 && status=0 || status=$?
    # The buses' own chatter left out.
    grep -v -e "^dbus-daemon" -e "^SpiRegistry" -e "XDG_RUNTIME" "$work/atspi.log" || true
    [ "$status" -eq 0 ] || fail "the accessibility bus check failed"
  else
    echo "e2e: no accessibility bus here (dbus, at-spi2-core, python3-pyatspi); not checked"
  fi
fi
echo "e2e: passed"
