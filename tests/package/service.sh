#!/usr/bin/env bash
# The quarvel-center package in OUT: its configuration is a conffile, and systemd accepts its unit.
# Exits 77 (skipped) where systemd-analyze is missing.
#   service.sh OUT
set -euo pipefail
deb=("$1"/quarvel-center_*_amd64.deb)
root="$(mktemp -d)"
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "${deb[0]}" "$root"
conffiles="$(dpkg-deb -I "${deb[0]}" conffiles)"
for file in $conffiles; do
    [ -f "$root$file" ] || { echo "conffile $file is not in the package" >&2; exit 1; }
done
grep -qx /etc/quarvel-center.conf <<<"$conffiles" ||
    { echo "/etc/quarvel-center.conf is not marked as a conffile" >&2; exit 1; }

if ! command -v systemd-analyze >/dev/null; then
    echo "SKIPPED: systemd-analyze is not installed (no systemd here); the unit is not verified"
    exit 77
fi
unit="$root/usr/lib/systemd/system/quarvel-center.service"
[ -f "$unit" ] || { echo "no quarvel-center.service in the package" >&2; exit 1; }
# systemd-analyze checks that the command exists: point it at the unpacked server.
mkdir "$root/check"
sed "s:^ExecStart=/usr/bin/quarvel-center :ExecStart=$root/usr/bin/quarvel-center :" "$unit" \
    >"$root/check/quarvel-center.service"
grep -q "^ExecStart=$root/" "$root/check/quarvel-center.service" ||
    { echo "the unit does not start /usr/bin/quarvel-center" >&2; exit 1; }
output="$(systemd-analyze verify --man=no "$root/check/quarvel-center.service" 2>&1)" || {
    echo "$output" >&2
    exit 1
}
# verify also reports what it only warns about; any line is a finding.
if [ -n "$output" ]; then
    echo "$output" >&2
    exit 1
fi
echo "systemd accepts quarvel-center.service"
