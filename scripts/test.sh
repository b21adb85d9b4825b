#!/usr/bin/env bash
# Sets up the machine, builds everything and runs every test, in parallel and headless.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
export QT_QPA_PLATFORM=offscreen
export QTWEBENGINE_CHROMIUM_FLAGS="--no-sandbox --disable-gpu"
ctest --test-dir build --output-on-failure --parallel "$(nproc)" --timeout 600
