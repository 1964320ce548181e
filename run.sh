#!/usr/bin/env bash
# Installs what is missing, builds a release build, stages the demo installation and starts Quarvel.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")"
./scripts/install-deps.sh
# ccache lets rebuilds and other checkouts of the tree reuse what was already compiled.
export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$(dirname "$PWD")}" CCACHE_NOHASHDIR=1
build="${BUILD_DIR:-build/release}"
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DQUARVEL_BENCH=OFF -DCMAKE_CXX_COMPILER_LAUNCHER=ccache >/dev/null
# The program, the tool and the staged installation; the tests are test.sh's business.
cmake --build "$build" -j"$(nproc)" --target demo
program="$build/demo/BIN/quarvel"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ "${QT_QPA_PLATFORM:-}" != "offscreen" ]; then
    echo "No display found. Run Quarvel under a virtual display:"
    echo "    xvfb-run -a -s '-screen 0 1280x1024x24' $program"
    exit 0
fi
exec "$program" "$@"
