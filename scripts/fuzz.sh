#!/usr/bin/env bash
# Builds the libFuzzer harnesses of fuzz/ with Debian's clang in a build directory of their own and
# runs each for a number of executions, one after the other, at the lowest priority.
#
#   scripts/fuzz.sh [RUNS] [HARNESS...]    RUNS per harness (default 1000000); all harnesses by default
#   FUZZ_MAX_SECONDS=N scripts/fuzz.sh ...  also stop each harness after N seconds
#   FUZZ_SANITIZERS=undefined scripts/fuzz.sh ...
#                                           UBSan alone, in build/fuzz-undefined: several times the
#                                           executions a second for harnesses that allocate a whole
#                                           question bank per input (ASan maps each one afresh)
#
# New inputs that widen coverage go to build/fuzz/corpus/<harness>/ (the committed seeds in
# fuzz/corpus/ are only read); a crash, hang or sanitizer report leaves its input in
# build/fuzz/findings/. Replay one with: build/fuzz/fuzz/fuzz_<harness> FILE
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
runs="${1:-1000000}"
[ $# -gt 0 ] && shift
sanitizers="${FUZZ_SANITIZERS:-address,undefined}"
if [ "$sanitizers" = "address,undefined" ]; then
    build="${FUZZ_BUILD_DIR:-build/fuzz}"
    sanitize=(-DQUARVEL_SANITIZE=ON -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link")
else
    build="${FUZZ_BUILD_DIR:-build/fuzz-${sanitizers//,/-}}"
    sanitize=(-DQUARVEL_SANITIZE=OFF -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link,$sanitizers -fno-sanitize-recover=all"
        -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=$sanitizers")
fi
# One corpus per harness whatever the build, so every run starts where the others got to.
corpus="${FUZZ_CORPUS_DIR:-build/fuzz/corpus}"

./scripts/install-deps.sh
if ! command -v clang++ >/dev/null; then
    sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends clang
fi

harnesses=("$@")
if [ ${#harnesses[@]} -eq 0 ]; then
    mapfile -t harnesses < <(sed -n 's/^quarvel_fuzz_harness(\([A-Za-z0-9_]*\) .*/\1/p' fuzz/CMakeLists.txt)
fi
targets=()
for h in "${harnesses[@]}"; do targets+=("fuzz_$h"); done

export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$(dirname "$PWD")}" CCACHE_NOHASHDIR=1
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
    "${sanitize[@]}" -DQUARVEL_FUZZ=ON -DQUARVEL_BENCH=OFF \
    -DCMAKE_CXX_COMPILER_LAUNCHER=ccache >/dev/null
nice -n 19 cmake --build "$build" -j2 --target "${targets[@]}"

# No allocation stacks in the long runs: Debian's Qt and ICU are built without frame pointers, so the
# fast unwinder takes stray stack words for frames, every such stack is new to ASan and kept for
# good, and a run grows by kilobytes an execution until it hits the RSS limit. Replay a finding
# with the default options to see where its memory was allocated and freed.
export ASAN_OPTIONS="abort_on_error=1:detect_leaks=1:malloc_context_size=0" UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
mkdir -p "$build/findings"
status=0
summary=()
for h in "${harnesses[@]}"; do
    mkdir -p "$corpus/$h"
    log="$build/fuzz-$h.log"
    start=$(date +%s)
    echo "== $h: $runs executions (log: $log)"
    if nice -n 19 "$build/fuzz/fuzz_$h" -runs="$runs" -max_total_time="${FUZZ_MAX_SECONDS:-0}" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
        -artifact_prefix="$build/findings/$h-" "$corpus/$h" "fuzz/corpus/$h" >"$log" 2>&1; then
        result="no finding"
    else
        result="FINDING (see $log and $build/findings/)"
        status=1
    fi
    seconds=$(( $(date +%s) - start ))
    executed=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
    summary+=("$h: ${executed:-?} executions in ${seconds} s, $result")
    echo "${summary[-1]}"
done
echo "== summary"
printf '%s\n' "${summary[@]}"
exit $status
