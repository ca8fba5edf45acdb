#!/usr/bin/env bash
# Builds the Debian package zr580_<version>_<arch>.deb in build/ (installs and
# builds first when needed) and prints its path.
#   sudo apt-get install ./build/zr580_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cd build
cpack -G DEB >cpack.log 2>&1 || { cat cpack.log >&2; exit 1; }
ls "$PWD"/zr580_*.deb
