#!/usr/bin/env bash
# Sets up the machine, builds everything and runs every test: the unit tests in parallel and headless, then the
# program's windows on a real X server (scripts/desktop-test.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
QT_QPA_PLATFORM=offscreen QTWEBENGINE_CHROMIUM_FLAGS="--no-sandbox --disable-gpu" \
    ctest --test-dir build --output-on-failure --parallel "$(nproc)" --timeout 600
# ctest lists skipped tests by name only; their reasons are in its log, one line after gtest's "Skipped".
log=build/Testing/Temporary/LastTest.log
skipped=$(grep -c '^\[  SKIPPED \] .* ms)$' "$log" || true)
if [ "$skipped" -gt 0 ]; then
    echo "$skipped tests skipped, for these reasons:"
    grep -A1 ': Skipped$' "$log" | grep -v -e ': Skipped$' -e '^--$' | sort | uniq -c || true
fi
bash scripts/desktop-test.sh
