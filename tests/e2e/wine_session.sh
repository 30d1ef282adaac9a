# Sourced by the tests that drive the Windows window under wine in a virtual
# X server: the prefix's fonts, the server, and waiting for windows.

# Wine has none of the Windows fonts; the window asks for them by name, and
# without a stand-in its texts stay invisible. Maps them, in the current
# WINEPREFIX, to the DejaVu faces that have the Cyrillic letters.
wine_map_fonts() {
  local reg
  reg=$(mktemp --suffix=.reg)
  {
    printf 'REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n'
    local face
    for face in "MS Shell Dlg" "MS Shell Dlg 2" Tahoma "Segoe UI" "MS Sans Serif" Arial; do
      printf '"%s"="DejaVu Sans"\r\n' "$face"
    done
    printf '"Times New Roman"="DejaVu Serif"\r\n"Courier New"="DejaVu Sans Mono"\r\n'
  } > "$reg"
  wine regedit /S "$(winepath_of "$reg")"
  rm -f "$reg"
}

# A Unix path as the programs under wine see it, through the Z: drive.
winepath_of() {
  local path
  path=$(realpath -m "$1")
  printf 'Z:%s' "${path//\//\\}"
}

# Runs "$@" in a virtual X server that survives its clients coming and going
# (wine connects and disconnects several times) and lets any local user in.
# A wine server started without a display cannot show windows: it is ended
# first, and again afterwards for the runs without a display that follow.
in_x_server() {
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
  local status=0
  xvfb-run -a -s "-screen 0 1024x768x24 -noreset -ac" "$@" || status=$?
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
  return $status
}

# The X window of the first window whose title matches, once it is there.
wait_for_window() {
  local window="" i
  for i in $(seq 1 ${2:-120}); do
    window=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1) && [ -n "$window" ] && break
    sleep 0.5
  done
  [ -n "$window" ] || return 1
  echo "$window"
}

# Finds the main window and keeps where it is for form_click.
find_main_window() {
  main=$(wait_for_window '^Калькулятор зажигания$') || return 1
  eval "$(xdotool getwindowgeometry --shell "$main")"
  main_x=$X main_y=$Y
}

# Clicks a point of the main window given as the form places its controls,
# below the menu bar (20 pixels high); the menu bar's own points are negative.
# Without a window manager the X window is the window's client area.
form_click() {
  xdotool mousemove $((main_x + $1)) $((main_y + 20 + $2)) click 1
  sleep 0.5
}

# Waits until a file exists; fails after the given seconds.
wait_for_file() {
  local i
  for i in $(seq 1 $((${2:-30} * 2))); do
    [ -e "$1" ] && return 0
    sleep 0.5
  done
  return 1
}
