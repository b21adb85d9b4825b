#!/usr/bin/env bash
# Sets up the machine, builds everything and runs every test: the unit tests in parallel and headless, then the
# program's windows on a real X server (scripts/desktop-test.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
QT_QPA_PLATFORM=offscreen QTWEBENGINE_CHROMIUM_FLAGS="--no-sandbox --disable-gpu" \
    ctest --test-dir build --output-on-failure --parallel "$(nproc)" --timeout 600
bash scripts/desktop-test.sh
