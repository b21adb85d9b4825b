#!/usr/bin/env bash
# The real-X stage: the program's windows on an X server (Xvfb) with a window manager (openbox), driven by input
# through the X server. Each journey runs as a process of its own under a time limit, so that a modal loop that
# never ends fails its journey and not the stage. A grab of each journey's last screen goes to build/desktop-shots/.
# Expects a build in build/ (scripts/build.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${KV_BUILD:-build}
program=$build/tests/tests_desktop
export KV_DESKTOP_SHOTS=$PWD/$build/desktop-shots
# A journey waits at most 20 s for a step; this limit only catches a process that stopped answering altogether.
journey_limit=90

if [ "${1:-}" != "--inside" ]; then
    # Shots of an earlier run (a stuck step's above all) would pass for this run's.
    rm -rf "$KV_DESKTOP_SHOTS"
    mkdir -p "$KV_DESKTOP_SHOTS"
    exec xvfb-run --auto-servernum --server-args="-screen 0 1600x1000x24" bash "$0" --inside
fi

# Inside the X session: the window manager first, then each journey.
openbox >/dev/null 2>&1 &
wm=$!
trap 'kill "$wm" 2>/dev/null || true' EXIT
for _ in $(seq 100); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && break
    sleep 0.1
done

export QT_QPA_PLATFORM=xcb
export QTWEBENGINE_CHROMIUM_FLAGS="--no-sandbox --disable-gpu"
failed=0
for journey in $("$program" --gtest_list_tests | awk '/^[^ ]/ {suite=$1} /^  / {print suite $1}'); do
    echo "== $journey"
    if ! timeout --kill-after=10 "$journey_limit" "$program" --gtest_filter="$journey"; then
        echo "FAILED: $journey"
        failed=1
    fi
done
echo "Screens of the journeys: $KV_DESKTOP_SHOTS"
exit "$failed"
