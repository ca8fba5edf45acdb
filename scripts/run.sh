#!/usr/bin/env bash
# Installs, builds and starts the desktop program. Arguments go to the program
# (--demo starts the built-in simulated radio and selects it).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
exec build/bin/zr580 "$@"
