#!/usr/bin/env bash
# The Windows installer as a user meets it, under wine: installed silently
# (/S) into Program Files with its Start-menu entry, the program started from
# that entry while its folder cannot be written — as Program Files cannot be
# by an ordinary user on Windows — so that Data.dat and IgnTable.asm go to
# %APPDATA%\igncalc, and then uninstalled silently, leaving no program file.
#
# Root may write anywhere, also under wine, so the wine steps run as an
# ordinary user: the calling one, or, for root, the system user igncalc-wine
# created here. The user gets a fresh wine prefix of its own each run. Unix
# permissions stand in for Windows' access rights on the program folder.
#
#   windows_installer.sh INSTALLER ARTIFACTS
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)

fail() { echo "FAILED: $*"; exit 1; }

if [ "${1:-}" != "--inside" ]; then
  installer=$(realpath -m "$1") artifacts=$(realpath -m "$2")
  [ -f "$installer" ] || fail "no installer at $installer: build the package target first"
  rm -rf "$artifacts" && mkdir -p "$artifacts"
  work=$(mktemp -d)
  trap 'chmod -R u+w "$work" 2>/dev/null; rm -rf "$work"' EXIT
  cp "$installer" "$work/"
  cp "$here/../e2e/wine_session.sh" "$0" "$work/"
  chmod 755 "$work"
  chmod 644 "$work/$(basename "$installer")"
  runner=(env)
  if [ "$(id -u)" = 0 ]; then
    user=igncalc-wine
    id "$user" >/dev/null 2>&1 || useradd --system --create-home --home-dir /var/lib/$user \
      --shell /usr/sbin/nologin "$user"
    chown -R "$user:" "$work"
    runner=(runuser -u "$user" -- env HOME="$(getent passwd "$user" | cut -d: -f6)")
  fi
  # The whole run as that user, in a virtual X server any local user may use.
  status=0
  xvfb-run -a -s "-screen 0 1024x768x24 -noreset -ac" "${runner[@]}" \
    LC_ALL=ru_RU.UTF-8 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEPREFIX="$work/prefix" \
    timeout 500 "$work/$(basename "$0")" --inside "$work" "$(basename "$installer")" || status=$?
  cp -r "$work/artifacts/." "$artifacts/" 2>/dev/null || true
  exit $status
fi

# As the ordinary user, with DISPLAY and WINEPREFIX set.
. "$here/wine_session.sh"
work=$2 installer=$work/$3
artifacts=$work/artifacts
mkdir -p "$artifacts"
step=0
shot() { step=$((step + 1)); import -window root "$artifacts/$(printf %02d $step)-$1.png"; }
trap 'wineserver -k 2>/dev/null || true' EXIT

wineboot -i >/dev/null 2>&1
wine_map_fonts
drive=$WINEPREFIX/drive_c
folder="$drive/Program Files/igncalc"

wine "$(winepath_of "$installer")" /S
[ -f "$folder/igncalc.exe" ] || fail "nothing installed in Program Files\\igncalc (a 32-bit installer would use Program Files (x86))"
find "$drive" -path '*Start Menu*' -name '*.lnk' | sed "s|^$drive|C:|" > "$artifacts/shortcuts.txt"
entry=$(find "$drive" -path '*Start Menu*' -name 'Калькулятор зажигания.lnk' | head -n 1)
[ -n "$entry" ] || fail "no Start-menu entry 'Калькулятор зажигания'"
wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\igncalc' /v DisplayVersion \
  | tr -d '\r' > "$artifacts/uninstall-entry.txt" || fail "no uninstall entry in the registry"
grep -q "$(basename "$installer" | sed 's/^igncalc-\(.*\)-win64\.exe$/\1/')" "$artifacts/uninstall-entry.txt" \
  || fail "the uninstall entry has another version: $(cat "$artifacts/uninstall-entry.txt")"
find "$folder" -type f | sed "s|^$folder/||" | sort > "$artifacts/installed-files.txt"

# Program Files is not the user's to write.
chmod -R a-w "$folder"
# As a click on it would: the program goes on by itself.
wine start /unix "$entry" &
find_main_window || { shot no-window; fail "the installed program did not start"; }
sleep 2
shot installed-started
form_click 486 519; sleep 1              # "Рассчитать"
form_click 604 519; sleep 1              # "Сохранить"
shot table-saved
form_click 300 -11; sleep 2              # "Выход"
for _ in $(seq 1 40); do
  xdotool search --name '^Калькулятор зажигания$' >/dev/null 2>&1 || break
  sleep 0.5
done
shot closed
! xdotool search --name '^Калькулятор зажигания$' >/dev/null 2>&1 || fail "the program did not end"

data="$drive/users/$(id -un)/AppData/Roaming/igncalc"
[ -f "$data/Data.dat" ] || fail "Data.dat is not in %APPDATA%\\igncalc"
[ -f "$data/IgnTable.asm" ] || fail "IgnTable.asm is not in %APPDATA%\\igncalc"
cp "$data/Data.dat" "$data/IgnTable.asm" "$artifacts/"
chmod -R u+w "$folder"
left=$(find "$folder" -type f | sed "s|^$folder/||" | sort | comm -13 "$artifacts/installed-files.txt" -)
[ -z "$left" ] || fail "the program wrote into its folder: $left"

# The uninstaller copies itself away and returns at once; its copy removes the folder.
wine "C:\\Program Files\\igncalc\\Uninstall.exe" /S
for _ in $(seq 1 60); do
  [ -e "$folder" ] || break
  sleep 0.5
done
[ ! -e "$folder" ] || fail "left after uninstalling: $(find "$folder" | sed "s|^$drive|C:|")"
[ -z "$(find "$drive" -path '*Start Menu*' -name '*Калькулятор*')" ] || fail "the Start-menu entry is left"
! wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\igncalc' >/dev/null 2>&1 \
  || fail "the uninstall entry is left in the registry"
echo "installer: installed, started with a read-only program folder, uninstalled"
