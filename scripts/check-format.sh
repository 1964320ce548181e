#!/usr/bin/env bash
# Fails when a C++ file of the tree differs from .clang-format; prints the files that do.
# Run it with --fix to rewrite them in place.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
mapfile -t files < <(git ls-files -- 'src/*.cpp' 'src/*.h' 'tools/*.cpp' 'tools/*.h' 'tests/*.cpp' 'tests/*.h' \
    'bench/*.cpp' 'bench/*.h' 'fuzz/*.cpp' 'fuzz/*.h')
if [ "${1:-}" = "--fix" ]; then
    clang-format -i "${files[@]}"
    exit 0
fi
if ! clang-format --dry-run --Werror "${files[@]}" 2>/tmp/quarvel-format.$$; then
    grep -oE '^[^: ]+:[0-9]+:[0-9]+: (error|warning)' /tmp/quarvel-format.$$ | cut -d: -f1 | sort -u |
        sed 's/^/differs from .clang-format: /' >&2
    rm -f /tmp/quarvel-format.$$
    echo "Run scripts/check-format.sh --fix" >&2
    exit 1
fi
rm -f /tmp/quarvel-format.$$
