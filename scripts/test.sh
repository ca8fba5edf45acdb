#!/usr/bin/env bash
# Installs, builds and runs every test. "scripts/test.sh sanitize" runs them all
# again in build-asan/ with AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ "${1:-}" = sanitize ]; then exec scripts/test-sanitized.sh; fi
scripts/setup.sh
cd build
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)"
# The Debian package builds (the install tree itself is checked by a test above).
cd ..
scripts/package.sh >/dev/null
