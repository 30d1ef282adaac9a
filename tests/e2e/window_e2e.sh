#!/usr/bin/env bash
# A person's session with the calculator in a real X server, driven by real
# keyboard and mouse events: type a coefficient, calculate, save with Ctrl+S,
# switch the method in the settings panel, load an engine preset, drag a point
# in the points editor, calculate again and leave through "Выход", answering
# the save question. Then the files on disk must hold what was typed, and the
# table the window wrote must be the one the batch tool computes from the same
# inputs. Every step leaves a screenshot in the artifacts folder.
#
#   window_e2e.sh IGNCALC IGNTABLE ARTIFACTS
set -euo pipefail

if [ "${1:-}" != "--inside" ]; then
  igncalc=$(realpath "$1") igntable=$(realpath "$2") artifacts=$(realpath -m "$3")
  rm -rf "$artifacts" && mkdir -p "$artifacts"
  home=$(mktemp -d)
  trap 'rm -rf "$home"' EXIT
  mkdir -p "$home/app"
  cp "$igncalc" "$home/app/igncalc"
  # The whole session is bounded: a window that never comes up fails the test.
  timeout 240 xvfb-run -a -s "-screen 0 1024x768x24" "$0" --inside "$home/app" "$artifacts" \
    || { echo "FAILED: the session did not complete (see $artifacts)"; exit 1; }

  fail() { echo "FAILED: $*"; exit 1; }
  data="$home/app/Data.dat"
  [ -f "$data" ] || fail "Data.dat was not written"
  [ -f "$home/app/IgnTable.asm" ] || fail "IgnTable.asm was not written"
  line() { sed -n "${1}p" "$data" | tr -d '\r'; }
  [ "$(line 14)" = "40" ] || fail "Text4(0) is '$(line 14)', typed 40"
  [ "$(line 6)" = "False" ] && [ "$(line 7)" = "True" ] || fail "the method is not by points"
  [ "$(line 17)" = "26.06" ] || fail "the preset did not reach characteristic 2: '$(line 17)'"
  [ "$(line 85)" = " 20" ] || fail "the dragged point 5000 rpm is '$(line 85)', dragged to 20"
  "$igntable" --settings "$data" --output "$home/expected.asm" > "$home/listing.txt" \
    || fail "igntable refused the saved inputs"
  cmp "$home/app/IgnTable.asm" "$home/expected.asm" \
    || fail "the window's IgnTable.asm differs from the table of its own inputs"
  cp "$data" "$home/app/IgnTable.asm" "$artifacts/"
  echo "e2e: the session left the files it should"
  exit 0
fi

# Inside the X server.
app=$2 artifacts=$3
cd "$app"
unset QT_QPA_PLATFORM
export ASAN_OPTIONS=detect_leaks=0
./igncalc > "$artifacts/igncalc.log" 2>&1 &
pid=$!

step=0
shot() { step=$((step + 1)); import -window root "$artifacts/$(printf %02d $step)-$1.png"; }
click() { xdotool mousemove "$1" "$2" click 1; sleep 0.4; }

window=""
for _ in $(seq 1 120); do
  window=$(xdotool search --name 'Калькулятор зажигания' 2>/dev/null | head -n 1) && [ -n "$window" ] && break
  sleep 0.5
done
[ -n "$window" ] || { echo "the window did not come up"; exit 1; }
sleep 1
shot started

# The window takes the keyboard by itself: F1 opens the About window before
# any click; its default button "Ok" closes it again.
xdotool key F1; sleep 0.8
about=$(xdotool search --name '^О программе$' 2>/dev/null | head -n 1) || true
[ -n "$about" ] || { echo "F1 at start-up did nothing: the window has no keyboard focus"; exit 1; }
shot about
xdotool key Return; sleep 0.5

# Coefficient a of characteristic 1: a click selects the whole text.
click 640 187
xdotool type --delay 60 "40"; sleep 0.3
click 486 537                     # "Рассчитать"
shot calculated
xdotool key ctrl+s; sleep 0.5
shot saved
# The reading box at the graph's right edge, over the tab strip: both lines.
xdotool mousemove 494 66 mousedown 1; sleep 0.5
shot reading
xdotool mouseup 1; sleep 0.3

click 92 8                        # "Настройки"
click 415 376                     # "По точкам"
shot settings
click 329 462                     # "Применить"
shot by-points

click 665 57                      # tab "График 2"
xdotool key F2; sleep 0.5         # "ИЖ"
shot preset
# A long value in the 1000 rpm field of characteristic 2 shows whole.
click 611 89
xdotool type --delay 60 "7.65432"; sleep 0.3
shot long-value

# The points editor: drag the red marker of 5000 rpm (5 degrees) up to 20.
xdotool mousemove 275 165 click --repeat 2 --delay 80 1; sleep 0.8
shot editor
# Picture4's drawing area starts at (38, 25) on the screen; the marker of 5000
# rpm stands at (250, 450) there, its top edge at 447.
xdotool mousemove 288 472 mousedown 1; sleep 0.3
xdotool mousemove 288 420; sleep 0.2
xdotool mousemove 288 360; sleep 0.2
xdotool mousemove 288 325; sleep 0.3
xdotool mouseup 1; sleep 0.3
shot dragged
click 582 557                     # "Применить" of the editor
shot applied

click 486 537                     # "Рассчитать" again: results unsaved
shot recalculated
click 316 8                       # "Выход"
sleep 0.8
shot question
# Cancel is the default button; move the focus back to "Да" and press it.
xdotool key shift+Tab shift+Tab space; sleep 1
shot answered

for _ in $(seq 1 40); do
  kill -0 "$pid" 2>/dev/null || exit 0
  sleep 0.5
done
echo "the program did not end after the answer"
exit 1
