#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Ombrix need.
# As root it installs what is missing; otherwise it prints the one command to run.
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config
    qt6-base-dev qt6-multimedia-dev libqt6svg6 qt6-image-formats-plugins
    qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools qt6-translations-l10n
    locales-all fonts-noto-cjk
    libgl-dev libpng-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    xvfb xauth xdotool wmctrl xcompmgr x11-utils x11-xserver-utils imagemagick libx11-dev
    libxtst-dev libxcb1-dev xserver-xorg-core xserver-xorg-video-dummy
    openbox dbus dbus-daemon weston xwayland qt6-wayland
    adwaita-icon-theme gtk-update-icon-cache desktop-file-utils xterm
    dpkg-dev lintian appstream dosfstools
    python3-gi gir1.2-glib-2.0 python3-pyatspi at-spi2-core
    clang libclang-rt-14-dev clang-format git
)

missing=()
for p in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${db:Status-Status}' "$p" 2>/dev/null || true)
    [ "$status" = "installed" ] || missing+=("$p")
done

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
    echo "Ombrix needs these Debian packages: ${missing[*]}" >&2
    echo "Install them with:" >&2
    echo "  sudo apt-get update && sudo apt-get install -y ${missing[*]}" >&2
    exit 1
fi

echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}"
