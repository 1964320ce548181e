#!/usr/bin/env bash
# Regenerates the demo installation's pictures from their readable sources: every script in
# scripts/pictures/ draws one set (with ImageMagick) into data/questions/<vendor>/img/.
# The pictures are committed, so a build never depends on the drawing tools' exact output.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
for script in scripts/pictures/*; do
    [ -x "$script" ] || continue
    echo "== $script"
    "$script"
done
