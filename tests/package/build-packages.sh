#!/usr/bin/env bash
# Makes both Debian packages of the build directory BUILD into OUT (cpack -G DEB), afresh.
#   build-packages.sh CPACK BUILD OUT [CPACK OPTION...]
set -euo pipefail
cpack="$1" build="$2" out="$3"
shift 3
rm -rf "$out"
mkdir -p "$out"
"$cpack" -G DEB --config "$build/CPackConfig.cmake" -B "$out" "$@" >"$out/cpack.log" 2>&1 || {
    cat "$out/cpack.log"
    exit 1
}
for package in quarvel quarvel-center; do
    found=("$out/${package}_"*_amd64.deb)
    if [ ! -f "${found[0]}" ]; then
        cat "$out/cpack.log"
        echo "cpack wrote no ${package}_<version>_amd64.deb" >&2
        exit 1
    fi
done
ls "$out"/*.deb
