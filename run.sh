#!/usr/bin/env bash
# Installs what is missing, builds a release build, stages the demo installation, starts the demo's
# quarvel-center on a free loopback port and starts Quarvel against it.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")"
./scripts/install-deps.sh
# ccache lets rebuilds and other checkouts of the tree reuse what was already compiled.
export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$(dirname "$PWD")}" CCACHE_NOHASHDIR=1
build="${BUILD_DIR:-build/release}"
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DQUARVEL_BENCH=OFF -DCMAKE_CXX_COMPILER_LAUNCHER=ccache >/dev/null
# The program, the tool, the server and the staged installation; the tests are test.sh's business.
cmake --build "$build" -j"$(nproc)" --target demo
program="$build/demo/BIN/quarvel"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ "${QT_QPA_PLATFORM:-}" != "offscreen" ]; then
    echo "No display found. Run Quarvel under a virtual display:"
    echo "    xvfb-run -a -s '-screen 0 1280x1024x24' $0"
    exit 0
fi

# The demo's update, sync and form server lives as long as this script: it stops when its
# standard input (a pipe from here) closes.
center="$build/demo-center"
server="$build/tools/quarvel-center/quarvel-center"
"$server" demo-user --db "$center/center.sqlite" --serial DEMO-0001 --name "Demo User"
coproc CENTER { exec "$server" serve --db "$center/center.sqlite" --updates "$center/updates" --images "$center/images" --port 0 --until-stdin-closes; }
read -r line <&"${CENTER[0]}"
address="${line#listening on }"
bin="$build/demo/BIN"
printf '%s\r\ncgi-bin/update\r\n%s\r\nimages\r\n' "$address" "$address" >"$bin/SRV_INFO"
printf '%s/cgi-bin/his-status\r\n%s/cgi-bin/his-upload\r\n%s/cgi-bin/his-download\r\n' "$address" "$address" "$address" >"$bin/His_srv"
printf 'http://%s/cgi-bin/inquiry\r\n' "$address" >"$bin/CGI_URL"
echo "quarvel-center for the demo: http://$address/"
"$program" "$@"
