#!/usr/bin/env bash
# The desktop integration of the quarvel package in OUT: the desktop entry and the AppStream data
# validate, the entry the metadata launches and the icon the entry names are in the package, and
# each PNG icon has the size its directory says.
#   desktop.sh OUT
set -euo pipefail
root="$(mktemp -d)"
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$1"/quarvel_*_amd64.deb "$root"
shopt -s nullglob
entries=("$root"/usr/share/applications/*.desktop)
metainfo=("$root"/usr/share/metainfo/*.metainfo.xml)
[ ${#entries[@]} -eq 1 ] || { echo "expected one desktop entry, found ${#entries[@]}" >&2; exit 1; }
[ ${#metainfo[@]} -eq 1 ] || { echo "expected one metainfo file, found ${#metainfo[@]}" >&2; exit 1; }
desktop-file-validate "${entries[0]}"
appstreamcli validate --no-net "${metainfo[0]}"

launchable="$(sed -n 's:.*<launchable type="desktop-id">\(.*\)</launchable>.*:\1:p' "${metainfo[0]}")"
[ "$launchable" = "$(basename "${entries[0]}")" ] ||
    { echo "the metadata launches '$launchable', the package has $(basename "${entries[0]}")" >&2; exit 1; }
icon="$(sed -n 's/^Icon=//p' "${entries[0]}")"
exec_name="$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "${entries[0]}")"
[ -x "$root/usr/bin/$exec_name" ] || { echo "the entry starts $exec_name, not in /usr/bin" >&2; exit 1; }
hicolor="$root/usr/share/icons/hicolor"
[ -f "$hicolor/scalable/apps/$icon.svg" ] || { echo "no scalable icon $icon.svg" >&2; exit 1; }
for size in 48 128 256; do
    png="$hicolor/${size}x${size}/apps/$icon.png"
    [ -f "$png" ] || { echo "no ${size}px icon $icon.png" >&2; exit 1; }
    # Width and height are the big-endian words at bytes 16 and 20 of a PNG.
    read -r width height < <(od -An -tu1 -j16 -N8 "$png" |
        awk '{print $1*16777216+$2*65536+$3*256+$4, $5*16777216+$6*65536+$7*256+$8}')
    [ "$width $height" = "$size $size" ] || { echo "$png is ${width}x${height}" >&2; exit 1; }
done
echo "desktop entry, metadata and icons of $(basename "${entries[0]}") are sound"
