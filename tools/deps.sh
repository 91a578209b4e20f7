#!/usr/bin/env bash
# Installs with apt-get whatever of the build and test tools is missing (Debian 12).
set -euo pipefail

packages=(
    cmake ninja-build g++ clang libclang-rt-14-dev make bc
    libgtest-dev libgmock-dev googletest libbenchmark-dev
    g++-mingw-w64-x86-64-posix
    wine wine64
    xvfb x11-utils x11-apps imagemagick ghostscript poppler-utils
    util-linux procps python3 xdotool nsis wixl msitools libssl-dev
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    echo "deps: everything is installed"
    exit 0
fi

echo "deps: installing ${missing[*]}"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
    sudo_cmd=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
