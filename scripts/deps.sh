#!/usr/bin/env bash
# Installs every Debian package the build, the tests and the demo need. Safe to run again.
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config
    qt6-base-dev libgl-dev qt6-translations-l10n
    firebird3.0-server firebird3.0-server-core firebird3.0-utils firebird-dev libfbclient2
    libgtest-dev libgmock-dev googletest
    fonts-liberation fonts-dejavu-core
    cups cups-client cups-bsd printer-driver-cups-pdf cups-filters poppler-utils
    clang libclang-rt-14-dev
    systemd
    # The Debian package: made (dpkg-shlibdeps, file), checked and tried on this machine.
    dpkg-dev file lintian desktop-file-utils man-db
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    sudo_cmd=()
    [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
    "${sudo_cmd[@]}" apt-get update -q
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
