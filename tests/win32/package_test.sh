#!/bin/bash
# The Windows packages under Wine: CPack builds the zip and the installer; the
# zip holds both programs and the read-me. Then, for all users and for the
# current user: a silent install (/S) puts them in Program Files or the
# user's Programs folder with one Start-menu shortcut and a complete, typed
# uninstall key; the installed kupongen-script.exe passes a script test; the
# quiet uninstall string removes the files, the shortcut and every key.
#   package_test.sh WINE BUILD_DIR SCRATCH SCRIPT RUN_NATIVE_SCRIPT.cmake VERSION
set -euo pipefail
wine=$1 build=$2 scratch=$3 script=$4 run_script=$5 version=$6
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
fail() {
    echo "FAILED: $*"
    exit 1
}

rm -rf "$scratch"
mkdir -p "$scratch"
cpack -B "$scratch" --config "$build/CPackConfig.cmake" >"$scratch/cpack.log" 2>&1 ||
    fail "cpack: $(cat "$scratch/cpack.log")"
zip=$(echo "$scratch"/*.zip)
installer=$(echo "$scratch"/*.exe)
[ -f "$zip" ] && [ -f "$installer" ] || fail "cpack made no zip and installer"
echo "built $(basename "$zip") and $(basename "$installer")"

listing=$(cmake -E tar tf "$zip" | sed 's|^[^/]*/||' | sort | paste -sd ' ')
[ "$listing" = "README.txt kupongen-script.exe kupongen.exe" ] || fail "the zip holds: $listing"

# MODE is AllUsers (Program Files, the shared Start menu, HKLM) or
# CurrentUser (the user's Programs folder and Start menu, HKCU).
windows_folder() { "$wine" cmd /c echo "%$1%" 2>/dev/null | tr -d '\r'; }
unix_path() { "$wine" winepath -u "$1" 2>/dev/null; }
check_mode() { # MODE INSTALLER-ARGUMENTS...
    local mode=$1 root folder programs
    shift
    if [ "$mode" = AllUsers ]; then
        root=HKLM folder="$(windows_folder ProgramFiles)\Kupongen"
        programs="$(windows_folder ProgramData)\Microsoft\Windows\Start Menu\Programs"
    else
        root=HKCU folder="$(windows_folder LocalAppData)\Programs\Kupongen"
        programs="$(windows_folder AppData)\Microsoft\Windows\Start Menu\Programs"
    fi
    local key="$root\Software\Microsoft\Windows\CurrentVersion\Uninstall\Kupongen"
    value() { # NAME TYPE: a value of the uninstaller's registration, or nothing
        "$wine" reg query "$key" /v "$1" 2>/dev/null | tr -d '\r' | sed -n "s/^ *$1 *$2 *//p"
    }
    "$wine" "$installer" /S "$@" || fail "$mode: the installer exited with $?"
    local unix_folder shortcut
    unix_folder=$(unix_path "$folder")
    shortcut=$(unix_path "$programs\Kupongen.lnk")
    for file in kupongen.exe kupongen-script.exe README.txt Uninstall.exe; do
        [ -f "$unix_folder/$file" ] || fail "$mode: not installed: $folder\\$file"
    done
    [ -f "$shortcut" ] || fail "$mode: no Start-menu shortcut $shortcut"
    [ -z "$(ls "$(dirname "$shortcut")" | grep -v '^Kupongen.lnk$' | grep -i kupongen)" ] ||
        fail "$mode: more than one Start-menu entry"
    [ "$(value DisplayName REG_SZ)" = "Kupongen $version" ] || fail "$mode: registered as '$(value DisplayName REG_SZ)'"
    [ "$(value DisplayVersion REG_SZ)" = "$version" ] || fail "$mode: version '$(value DisplayVersion REG_SZ)'"
    [ "$(value InstallLocation REG_SZ)" = "$folder" ] || fail "$mode: location '$(value InstallLocation REG_SZ)'"
    [ "$(value UninstallString REG_SZ)" = "\"$folder\\Uninstall.exe\" /$mode" ] ||
        fail "$mode: uninstaller registered as '$(value UninstallString REG_SZ)'"
    local quiet
    quiet=$(value QuietUninstallString REG_SZ)
    [ "$quiet" = "\"$folder\\Uninstall.exe\" /$mode /S" ] || fail "$mode: quiet uninstaller '$quiet'"
    [ "$(value NoModify REG_DWORD)" = 0x1 ] && [ "$(value NoRepair REG_DWORD)" = 0x1 ] ||
        fail "$mode: NoModify and NoRepair are not the DWORD 1"
    local size
    size=$(value EstimatedSize REG_DWORD)
    [ -n "$size" ] && [ $((size)) -gt 100 ] || fail "$mode: EstimatedSize '$size'"
    echo "$mode: installed in $folder ($((size)) KB)"

    cmake -DEMULATOR="$wine" -DDRIVER="$unix_folder/kupongen-script.exe" -DSCRIPT="$script" \
        -DWORK="$scratch/script-$mode" -P "$run_script" || fail "$mode: the installed kupongen-script.exe"

    # The quiet uninstall string as Windows would run it. The uninstaller
    # runs on as a copy of itself in the temporary folder.
    local program=${quiet#\"}
    program=${program%%\"*}
    # shellcheck disable=SC2086
    "$wine" "$program" ${quiet##*\" } || fail "$mode: the uninstaller exited with $?"
    for _ in $(seq 120); do
        [ -e "$unix_folder" ] || [ -e "$shortcut" ] || break
        sleep 0.5
    done
    [ ! -e "$unix_folder" ] || fail "$mode: left behind: $(ls "$unix_folder")"
    [ ! -e "$shortcut" ] || fail "$mode: the shortcut is left behind"
    for left in "$key" "$root\Software\Kupongen"; do
        ! "$wine" reg query "$left" >/dev/null 2>&1 || fail "$mode: the key $left is left behind"
    done
    echo "$mode: uninstalled"
}

# Wine runs as an administrator: without a choice the install is per-machine.
check_mode AllUsers
check_mode CurrentUser /CurrentUser
rm -rf "$scratch"
