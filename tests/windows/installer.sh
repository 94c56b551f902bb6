#!/usr/bin/env bash
# The Windows installer under wine, as a user's silent install would go:
# installs to "C:\Program Files\HALVANE DUO CLIENT" with a Start menu entry
# and an Uninstall registry entry, the installed exe passes smoke.sh, and
# the uninstaller removes the folder, the Start menu entry and the registry
# entry again.
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

# The installed program, where it is.
bash "$src/tests/windows/smoke.sh" --in-place "$exe" || fail "the installed program failed the smoke test"

# Uninstall silently. An NSIS uninstaller copies itself to the temp folder,
# starts that copy and returns at once, so wait (at most 60 s) for the copy
# to have removed everything.
wine "$dir/Uninstall.exe" /S >"$WINEPREFIX/uninstaller.log" 2>&1 || fail "uninstaller exit status $?"
for _ in $(seq 1 120); do
  [ ! -e "$dir" ] && [ -z "$(menu_entries)" ] && ! key_exists && break
  sleep 0.5
done
[ -e "$dir" ] && fail "$dir is still there after the uninstall: $(find "$dir" | head)"
[ -n "$(menu_entries)" ] && fail "Start menu entries are still there: $(menu_entries)"
for m in "${menus[@]}"; do [ -e "$m/$name" ] && fail "the Start menu folder $m/$name is still there"; done
key_exists && fail "$key is still there after the uninstall"
echo "PASS: installed, started from Program Files, uninstalled without a trace"
