#!/bin/bash
# The Windows packages under Wine: CPack builds the zip and the installer; the
# zip holds both programs and the read-me; a silent install (/S) puts them in
# Program Files\Kupongen with a Start-menu shortcut and an uninstaller
# registered with Add/Remove Programs; the installed kupongen-script.exe
# passes a script test; the registered uninstaller, run silently, removes the
# files, the shortcut and the registration.
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

drive_c=$("$wine" winepath -u 'C:\' 2>/dev/null)
folder="${drive_c%/}/Program Files/Kupongen"
shortcut="${drive_c%/}/ProgramData/Microsoft/Windows/Start Menu/Programs/Kupongen/Kupongen.lnk"
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Kupongen'
value() { # NAME: a value of the uninstaller's registration, or nothing
    "$wine" reg query "$key" /v "$1" 2>/dev/null | tr -d '\r' | sed -n "s/^ *$1 *REG_SZ *//p"
}

"$wine" "$installer" /S || fail "the installer exited with $?"
for file in kupongen.exe kupongen-script.exe README.txt Uninstall.exe; do
    [ -f "$folder/$file" ] || fail "not installed: Program Files\\Kupongen\\$file"
done
[ -f "$shortcut" ] || fail "no Start-menu shortcut $shortcut"
[ "$(value DisplayName)" = "Kupongen $version" ] || fail "registered as '$(value DisplayName)'"
uninstaller=$(value UninstallString | tr -d '"')
[ "$uninstaller" = 'C:\Program Files\Kupongen\Uninstall.exe' ] ||
    fail "uninstaller registered as '$uninstaller'"
echo "installed in $folder"

cmake -DEMULATOR="$wine" -DDRIVER="$folder/kupongen-script.exe" -DSCRIPT="$script" \
    -DWORK="$scratch/script" -P "$run_script" || fail "the installed kupongen-script.exe"

# The uninstaller runs on as a copy of itself in the temporary folder.
"$wine" "$uninstaller" /S || fail "the uninstaller exited with $?"
for _ in $(seq 120); do
    [ -e "$folder" ] || [ -e "$shortcut" ] || break
    sleep 0.5
done
[ ! -e "$folder" ] || fail "left behind: $(ls "$folder")"
[ ! -e "$shortcut" ] || fail "the shortcut is left behind"
[ -z "$(value DisplayName)" ] || fail "still registered with Add/Remove Programs"
echo "uninstalled"
rm -rf "$scratch"
