# Sourced by the scripts that run the Windows build under Wine.
#   new_wine_prefix [DPI]
# Makes a fresh prefix at $WINEPREFIX (with $wine, default wine), at the DPI given (LogPixels), with
# Wine's own Tahoma in its Fonts folder: Debian's Wine 8 does not look in
# fonts-wine's folder and puts DejaVu Sans in its place, which is wider than
# the dialog was laid out for (and trips a crash in Wine's text shaping).
new_wine_prefix() {
    mkdir -p "$WINEPREFIX"
    "${wine:-wine}" wineboot -i >/dev/null 2>&1
    ln -sf /usr/share/wine/fonts/tahoma.ttf /usr/share/wine/fonts/tahomabd.ttf \
        "$WINEPREFIX/drive_c/windows/Fonts/"
    if [ -n "${1:-}" ]; then
        "${wine:-wine}" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f \
            >/dev/null 2>&1
    fi
}
