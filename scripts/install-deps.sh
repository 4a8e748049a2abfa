#!/bin/sh
# Installs the Debian packages the project needs, asking apt-get only for the
# ones that are missing.
#   scripts/install-deps.sh            everything for building and testing
#   scripts/install-deps.sh --windows  also the cross compiler and Wine
#   scripts/install-deps.sh --web      also emscripten, Chromium and node
set -eu

packages="cmake ninja-build g++ make pkgconf
qt6-base-dev qt6-base-dev-tools libgl-dev
nlohmann-json3-dev libgtest-dev libgmock-dev libbenchmark-dev
xvfb xauth fonts-wine fonts-dejavu-core desktop-file-utils
dbus-daemon at-spi2-core python3-pyatspi
orca python3-gi gir1.2-atspi-2.0 speech-dispatcher espeak-ng qt6-translations-l10n
dpkg-dev lintian file imagemagick xdotool appstream
clang-14 libclang-rt-14-dev"

if [ "${1:-}" = "--windows" ]; then
    packages="$packages g++-mingw-w64-x86-64 wine wine64 imagemagick x11-apps nsis"
fi
if [ "${1:-}" = "--web" ]; then
    packages="$packages emscripten chromium nodejs zip python3"
    # A node from elsewhere brings its own npm, which Debian's would conflict with.
    command -v npm >/dev/null 2>&1 || packages="$packages npm"
fi

missing=""
for package in $packages; do
    if ! dpkg-query -W -f='${db:Status-Status}' "$package" 2>/dev/null | grep -qx installed; then
        missing="$missing $package"
    fi
done

if [ -z "$missing" ]; then
    exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
    sudo=sudo
else
    sudo=
fi
echo "Installing:$missing"
$sudo apt-get update -q
# shellcheck disable=SC2086
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends $missing
