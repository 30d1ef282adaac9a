#!/usr/bin/env bash
# A person's session with the window built for Windows, under wine in a
# virtual X server, driven by real keyboard and mouse events: the program
# folder as installed, with the sample Data.dat; the window started from the
# folder of the firmware source kom.ASM, with a stand-in assembler there and a
# stand-in Notepad beside the program, each recording how it was started. Open
# and cancel the settings panel, type a coefficient, "Рассчитать", read the
# listing, build the firmware with F9, "Открыть таблицу", leave and save; then
# check what the stand-ins recorded and what the files hold. Every step leaves
# a screenshot in the artifacts folder.
#
#   windows_window_e2e.sh PROGRAM_FOLDER STAND_INS ARTIFACTS
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine_session.sh"

if [ "${1:-}" != "--inside" ]; then
  program=$(realpath "$1") stand_ins=$(realpath "$2") artifacts=$(realpath -m "$3")
  rm -rf "$artifacts" && mkdir -p "$artifacts"
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
  cp -r "$program" "$work/app"
  cp "$here/../../data/sample/Data.dat" "$work/app/"
  cp "$stand_ins/notepad.exe" "$work/app/"
  mkdir "$work/firmware"
  cp "$here/../data/firmware/kom.ASM" "$stand_ins/mpasm.exe" "$work/firmware/"

  # The users' Windows is Russian: its regional settings give the decimal comma.
  export LC_ALL=ru_RU.UTF-8
  wine_map_fonts
  in_x_server timeout 300 "$0" --inside "$work" "$artifacts" \
    || { echo "FAILED: the session did not complete (see $artifacts)"; exit 1; }

  fail() { echo "FAILED: $*"; exit 1; }
  app=$work/app firmware=$work/firmware
  cp "$app/Data.dat" "$firmware/mpasm-call.txt" "$app/notepad-call.txt" "$artifacts/" 2>/dev/null || true

  # The assembler: its command line as it has always been, in the folder of
  # kom.ASM, with the table just written beside it.
  call=$(sed -n 1p "$firmware/mpasm-call.txt" | tr -d '\r')
  case "$call" in
    *"/p16F628a /o- /l-  kom.ASM") ;;
    *) fail "the assembler was started as '$call'" ;;
  esac
  folder=$(sed -n 2p "$firmware/mpasm-call.txt" | tr -d '\r')
  [ "${folder,,}" = "$(winepath_of "$firmware" | tr '[:upper:]' '[:lower:]')" ] \
    || fail "the assembler ran in '$folder', not in the folder of kom.ASM"
  [ -f "$firmware/kom.hex" ] || fail "no kom.hex beside kom.ASM"
  cmp "$app/IgnTable.asm" "$firmware/IgnTable.asm" || fail "the table beside kom.ASM is not the one written"

  # Notepad on the table, in the folder the table was written to.
  call=$(sed -n 1p "$app/notepad-call.txt" | tr -d '\r')
  case "$call" in
    *"notepad.exe"*" IgnTable.ASM") ;;
    *) fail "Notepad was started as '$call'" ;;
  esac
  folder=$(sed -n 2p "$app/notepad-call.txt" | tr -d '\r')
  [ "${folder,,}" = "$(winepath_of "$app" | tr '[:upper:]' '[:lower:]')" ] \
    || fail "Notepad ran in '$folder', not where the table is"

  # What was typed is kept, and the listing the window showed is the one the
  # batch tool computes from the same inputs, with the same decimal comma.
  line=$(sed -n 14p "$app/Data.dat" | tr -d '\r')
  [ "$line" = "40" ] || fail "Text4(0) is '$line' in Data.dat, typed 40"
  (cd "$work" && wine "$app/igntable.exe" --settings "$(winepath_of "$app/Data.dat")" \
     --output "$(winepath_of "$work/expected.asm")" --decimal-separator , > "$work/expected.txt") \
    || fail "igntable refused the saved inputs"
  tr -d '\r' < "$work/expected.txt" | sed 's/[[:space:]]*$//' > "$artifacts/listing-expected.txt"
  tr -d '\r' < "$artifacts/listing-shown.txt" | sed 's/[[:space:]]*$//' > "$work/shown.txt"
  diff "$artifacts/listing-expected.txt" "$work/shown.txt" \
    || fail "the listing the window showed is not the one of its inputs"
  cmp "$app/IgnTable.asm" "$work/expected.asm" || fail "the window's IgnTable.asm differs from the table of its inputs"
  echo "e2e under wine: the session left the files it should"
  exit 0
fi

# Inside the X server.
work=$2 artifacts=$3
app=$work/app firmware=$work/firmware
step=0
shot() { step=$((step + 1)); import -window root "$artifacts/$(printf %02d $step)-$1.png"; }

cd "$firmware"
wine "$app/igncalc.exe" > "$artifacts/igncalc.log" 2>&1 &
pid=$!
find_main_window || { shot no-window; echo "the window did not come up"; exit 1; }
sleep 2
shot started
# The settings panel, its colour-coded buttons in their colours; "Отмена".
form_click 85 -11
shot settings
form_click 455 444

# Coefficient a of characteristic 1: a click selects the whole text.
form_click 640 169
xdotool type --delay 80 "40"; sleep 0.3
form_click 486 519                # "Рассчитать"
sleep 1
shot calculated

# The listing, as the user can copy it.
form_click 600 380
xdotool key ctrl+a ctrl+c; sleep 0.8
timeout 10 xclip -o -selection clipboard > "$artifacts/listing-shown.txt"

xdotool key F9; sleep 3
shot firmware-built
wait_for_file "$firmware/mpasm-call.txt" 20 || { echo "F9 did not start the assembler"; exit 1; }
wait_for_window "^Создание прошивки$" 20 >/dev/null || { echo "no assembler output window"; exit 1; }
xdotool key alt+F4; sleep 0.5
shot output-closed

form_click 600 380                # back to the main window
xdotool key ctrl+o; sleep 2
wait_for_file "$app/notepad-call.txt" 20 || { shot no-notepad; echo "Открыть таблицу started nothing"; exit 1; }
shot table-opened

form_click 486 519                # "Рассчитать" again: results unsaved
form_click 300 -11                # "Выход"
sleep 1
shot question
# Qt's own buttons, in Russian from the program folder's translation. Cancel
# is the default button; move the focus back to "Да" and press it.
xdotool key shift+Tab shift+Tab space
for _ in $(seq 1 40); do
  kill -0 "$pid" 2>/dev/null || exit 0
  sleep 0.5
done
shot not-closed
echo "the program did not end"
exit 1
