#!/usr/bin/env bash
# The Windows installer under wine, as a user's silent install would go:
# installs to "C:\Program Files\HALVANE DUO CLIENT" with a Start menu entry,
# an Uninstall registry entry and the file types *.hvc, *.hvs and *.hvl
# registered to open with the program; the installed exe passes smoke.sh; a
# schedule file started through its association opens in the program; and
# the uninstaller removes the folder, the Start menu entry, the registry
# entry and the file types again.
# run_tests.sh runs it (through ctest) inside a network namespace with only
# loopback and on its Xvfb; the installer, the program and the uninstaller
# all run in that namespace.
#   installer.sh path/to/halvane-client-<version>-win64.exe
set -u
installer=${1:?usage: installer.sh INSTALLER}
src=${HALVANE_SOURCE_DIR:?}
if [ -z "${HALVANE_IN_NETNS:-}" ] || [ -z "${DISPLAY:-}" ] || [ -z "${WINEPREFIX:-}" ]; then
  echo "SKIP: runs only inside run_tests.sh's network namespace (as root), Xvfb and wine prefix"
  exit 77
fi
[ -f "$installer" ] || { echo "FAIL: no installer $installer (scripts/windows-build.sh builds it)"; exit 1; }

name='HALVANE DUO CLIENT'
dir="$WINEPREFIX/drive_c/Program Files/$name"
exe="$dir/bin/halvane-client.exe"
key="HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\$name"
# All users' Start menu when the installer runs as an administrator (wine's
# user is one), the user's own otherwise.
menus=("$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs"
       "$WINEPREFIX/drive_c/users/$(id -un)/AppData/Roaming/Microsoft/Windows/Start Menu/Programs")
fail() {
  echo "FAIL: $*"
  exit 1
}
menu_entries() { # every .lnk of ours in either Start menu
  for m in "${menus[@]}"; do [ -d "$m/$name" ] && find "$m/$name" -name '*.lnk'; done
}
# wine's reg.exe: the 64-bit view, where a 64-bit installer writes.
key_exists() { wine reg query "$key" >/dev/null 2>&1; }

[ -e "$dir" ] && fail "$dir exists before the install (a leftover of an earlier run)"
key_exists && fail "$key exists before the install"

# The file types: extension -> class -> open command with the file's path.
exts=(hvc hvs hvl)
classes=(HalvaneDuoClient.Profile HalvaneDuoClient.Schedule HalvaneDuoClient.NodeLog)
default_value() { # the default value of a key, or nothing
  wine reg query "$1" /ve 2>/dev/null | tr -d '\r' | sed -n 's/^ *(Default) *REG_SZ *//p'
}
types_gone() {
  local i
  for i in 0 1 2; do
    [ "$(default_value "HKCR\\.${exts[$i]}")" = "${classes[$i]}" ] && return 1
    wine reg query "HKCR\\${classes[$i]}" >/dev/null 2>&1 && return 1
  done
  return 0
}
types_gone || fail "the file types are registered before the install"

# Install silently; the installer returns when it is done.
wine "$installer" /S >"$WINEPREFIX/installer.log" 2>&1 || fail "installer exit status $? ($(cat "$WINEPREFIX/installer.log"))"
[ -f "$exe" ] || fail "no $exe after the install: $(find "$dir" 2>/dev/null | head)"
[ -f "$dir/Uninstall.exe" ] || fail "no uninstaller in $dir"
cmp -s "$exe" "$(dirname "$installer")/halvane-client.exe" || fail "the installed exe is not the one built"
echo "installed $exe"

lnk=$(menu_entries | grep -F "/$name.lnk" | head -1)
[ -n "$lnk" ] || fail "no Start menu entry \"$name\": $(menu_entries)"
# A shell link keeps its target's path (as UTF-16 or as bytes).
if ! LC_ALL=C grep -aq 'halvane-client\.exe' "$lnk" && ! iconv -f UTF-16LE -t UTF-8 "$lnk" 2>/dev/null | grep -aq 'halvane-client\.exe'; then
  fail "the Start menu entry $lnk does not point to halvane-client.exe"
fi
echo "Start menu entry $lnk"

reg=$(wine reg query "$key" 2>/dev/null | tr -d '\r')
[ -n "$reg" ] || fail "no registry key $key"
grep -q "DisplayName.*$name" <<<"$reg" || fail "no DisplayName in $key: $reg"
grep -qi 'UninstallString.*Uninstall\.exe' <<<"$reg" || fail "no UninstallString in $key: $reg"
echo "registry key $key"

command_of=""
for i in 0 1 2; do
  got=$(default_value "HKCR\\.${exts[$i]}")
  [ "$got" = "${classes[$i]}" ] || fail ".${exts[$i]} names \"$got\", not ${classes[$i]}"
  command_of=$(default_value "HKCR\\${classes[$i]}\\shell\\open\\command")
  [ "$command_of" = "\"C:\\Program Files\\$name\\bin\\halvane-client.exe\" \"%1\"" ] ||
    fail "${classes[$i]} opens with \"$command_of\""
done
echo "file types: .hvc .hvs .hvl open with $command_of"

# The installed program, where it is.
bash "$src/tests/windows/smoke.sh" --in-place "$exe" || fail "the installed program failed the smoke test"

# A schedule of 2 entries started through its association (the Explorer's
# double click: ShellExecute with the registered command): the program
# starts with its path and the schedule's "Open" tells the count it read.
work=$(mktemp -d)
head -c 176 /dev/zero >"$work/season.hvs"
cc -O2 -o "$work/xclose" "$src/tests/support/xclose.c" -lX11 || fail "cannot build xclose"
# start /wait returns when the program has ended: the uninstaller below must
# not find its exe still running.
(cd "$work" && wine start /wait /unix "$work/season.hvs") >"$work/start.log" 2>&1 &
spid=$!
main=""
for _ in $(seq 1 600); do
  main=$(xdotool search --name '^HALVANE DUO CLIENT v0\.9\.0\.1$' 2>/dev/null | head -1)
  [ -n "$main" ] && break
  sleep 0.1
done
[ -n "$main" ] || fail "starting season.hvs showed no main window: $(cat "$work/start.log")"
box=""
for _ in $(seq 1 300); do
  box=$(xdotool search --onlyvisible --name '^Message$' 2>/dev/null | head -1)
  [ -n "$box" ] && break
  sleep 0.1
done
[ -n "$box" ] || fail "the program started through .hvs showed no message: the file was not opened"
xdotool windowactivate --sync "$box" key Return 2>/dev/null || xdotool key --window "$box" Return
for _ in $(seq 1 100); do
  xdotool search --onlyvisible --name '^Message$' 2>/dev/null | grep -qx "$box" || break
  sleep 0.1
done
"$work/xclose" "$main"
for _ in $(seq 1 200); do
  [ -z "$(xdotool search --name '^HALVANE DUO CLIENT v0\.9\.0\.1$' 2>/dev/null)" ] && break
  sleep 0.1
done
[ -z "$(xdotool search --name '^HALVANE DUO CLIENT v0\.9\.0\.1$' 2>/dev/null)" ] ||
  fail "the program opened through .hvs did not close (a question nobody expected?)"
for _ in $(seq 1 200); do kill -0 "$spid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$spid" 2>/dev/null && fail "the program opened through .hvs did not end after its window closed"
rm -rf "$work"
echo "season.hvs started through its association opened in the program"

# Uninstall silently. An NSIS uninstaller copies itself to the temp folder,
# starts that copy and returns at once, so wait (at most 60 s) for the copy
# to have removed everything.
wine "$dir/Uninstall.exe" /S >"$WINEPREFIX/uninstaller.log" 2>&1 || fail "uninstaller exit status $?"
for _ in $(seq 1 120); do
  [ ! -e "$dir" ] && [ -z "$(menu_entries)" ] && ! key_exists && types_gone && break
  sleep 0.5
done
[ -e "$dir" ] && fail "$dir is still there after the uninstall: $(find "$dir" | head)"
[ -n "$(menu_entries)" ] && fail "Start menu entries are still there: $(menu_entries)"
for m in "${menus[@]}"; do [ -e "$m/$name" ] && fail "the Start menu folder $m/$name is still there"; done
key_exists && fail "$key is still there after the uninstall"
types_gone || fail "the file types are still registered after the uninstall"
echo "PASS: installed, started from Program Files and through a file, uninstalled without a trace"
