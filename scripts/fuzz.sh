#!/usr/bin/env bash
# Builds the fuzz targets of fuzz/ with clang into build-fuzz/ and runs each one for SECONDS (default 60) from its
# seed corpus, one after another:
#     bash scripts/fuzz.sh [SECONDS] [TARGET...]
# Targets: gedcom_reader gedcom_import object_files markup dates (all by default). Inputs that reach new code are
# kept in build-fuzz/corpus/TARGET/ for the next run. An input that crashes, breaks a check or hangs is written to
# build-fuzz/findings/ and the script fails once every target has run.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

seconds=${1:-60}
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(gedcom_reader gedcom_import object_files markup dates)
build=build-fuzz
# The shared GEDCOM collection, when it lies beside the project as the tests expect it.
shared=${KV_SHARED_DATA:-$root/../shared/data}

CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKV_FUZZ=ON \
    -DKRONVEL_BUILD_TESTS=OFF -DKRONVEL_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" --target kv_fuzz --parallel "${KV_JOBS:-$(nproc)}"

# Copies the seed files of a target into its corpus; seeds.txt holds one seed a line.
seed() {
    local target=$1 corpus=$2
    case $target in
    gedcom_reader | gedcom_import)
        find tests/data/gedcom -type f -iname '*.ged' -exec cp -t "$corpus" {} +
        if [ -d "$shared/gedcom" ]; then
            find "$shared/gedcom" -type f -iname '*.ged' -size -64k -print0 |
                while IFS= read -r -d '' file; do cp "$file" "$corpus/shared-$(basename "$(dirname "$file")")-$(basename "$file")"; done
        fi
        ;;
    object_files)
        cp tests/data/model/datafolder/*.kvfile "$corpus"
        ;;
    *)
        local n=0
        while IFS= read -r line; do
            n=$((n + 1))
            printf '%s' "$line" >"$corpus/seed-$n"
        done <"fuzz/$target/seeds.txt"
        ;;
    esac
}

# The longest input each target is given: a GEDCOM file as large as the largest seed, short texts elsewhere.
max_len() {
    case $1 in
    gedcom_reader | gedcom_import) echo 65536 ;;
    object_files) echo 16384 ;;
    markup) echo 4096 ;;
    *) echo 256 ;;
    esac
}

# Files the targets write go to memory when it can hold them: the object files and the import sync every file.
if [ -z "${TMPDIR:-}" ] && [ -w /dev/shm ]; then
    export TMPDIR=/dev/shm
fi
export QT_QPA_PLATFORM=offscreen
export UBSAN_OPTIONS=print_stacktrace=1
export LSAN_OPTIONS=suppressions=$root/fuzz/lsan.supp

mkdir -p "$build/findings" "$build/logs"
failed=()
for target in "${targets[@]}"; do
    corpus=$build/corpus/$target
    mkdir -p "$corpus"
    seed "$target" "$corpus"
    log=$build/logs/$target.log
    if "$build/fuzz/fuzz_$target" -max_total_time="$seconds" -timeout=10 -max_len="$(max_len "$target")" \
        -print_final_stats=1 -artifact_prefix="$build/findings/$target-" "$corpus" >"$log" 2>&1; then
        runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
        echo "fuzz $target: ${runs:-?} runs in $seconds s, no finding"
    else
        echo "fuzz $target: FINDING (log $log)"
        grep -E -A40 '^(==[0-9]+==ERROR|finding:|.*runtime error)' "$log" | head -60 || tail -40 "$log"
        failed+=("$target")
    fi
done
if [ ${#failed[@]} -gt 0 ]; then
    echo "fuzz findings in: ${failed[*]}; inputs in $build/findings/"
    exit 1
fi
