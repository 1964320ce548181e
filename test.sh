#!/usr/bin/env bash
# Installs what is missing, builds with AddressSanitizer and UBSan, runs every test through CTest.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")"
./scripts/install-deps.sh
# ccache lets rebuilds and other checkouts of the tree reuse what was already compiled.
export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$(dirname "$PWD")}" CCACHE_NOHASHDIR=1
build="${BUILD_DIR:-build/test}"
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Debug -DQUARVEL_SANITIZE=ON -DQUARVEL_WERROR=ON -DCMAKE_CXX_COMPILER_LAUNCHER=ccache >/dev/null
cmake --build "$build" -j"$(nproc)"
export QT_QPA_PLATFORM=offscreen QUARVEL_SILENT=1
export ASAN_OPTIONS="detect_leaks=0:abort_on_error=1" UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
ctest --test-dir "$build" --output-on-failure -j"$(nproc)" "$@"
