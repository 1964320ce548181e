#!/usr/bin/env bash
# Installs the Debian packages of scripts/packages.txt that are not installed yet, Node when it is
# missing, and the npm packages of the page checks (tests/browser/node_modules) when missing.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
mapfile -t wanted < <(grep -vE '^\s*(#|$)' "$here/packages.txt")
command -v node >/dev/null || wanted+=(nodejs npm)
missing=()
for p in "${wanted[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
browser="$here/../tests/browser"
if [ ! -d "$browser/node_modules/playwright-core" ]; then
    echo "Installing the npm packages of tests/browser"
    (cd "$browser" && npm ci --no-audit --no-fund --loglevel=error)
fi
