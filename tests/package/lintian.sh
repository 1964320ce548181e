#!/usr/bin/env bash
# lintian on both packages in OUT: no error and no warning. The sanitizer build's packages give
# the same tags as a release build's, so nothing needs suppressing here.
#   lintian.sh OUT
set -euo pipefail
out="$1"
# lintian warns when run as root; that is all it says about it.
lintian --fail-on error,warning --tag-display-limit 0 "$out"/quarvel_*_amd64.deb "$out"/quarvel-center_*_amd64.deb \
    2> >(grep -v "running with root privileges" >&2)
