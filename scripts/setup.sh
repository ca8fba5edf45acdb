#!/usr/bin/env bash
# Installs what the project needs on Debian (when missing) and builds it into build/.
# --fuzz also installs clang for the fuzzing harnesses; --no-build only installs.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(build-essential cmake ninja-build ccache qt6-base-dev qt6-serialport-dev
          libgtest-dev libgmock-dev fonts-noto-cjk xvfb xauth
          desktop-file-utils appstream file qt6-translations-l10n poppler-utils)
build=1
for arg in "$@"; do
    case "$arg" in
        --fuzz) packages+=(clang libclang-rt-14-dev) ;;
        --no-build) build=0 ;;
    esac
done
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    sudo_cmd=""
    [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
    $sudo_cmd apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq "${missing[@]}"
fi
[ "$build" -eq 1 ] || exit 0

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)"
