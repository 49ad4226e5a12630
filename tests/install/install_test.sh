#!/usr/bin/env bash
# Installs a build into a scratch root and runs the installed companion from there on
# the installed sample data: what a package puts on a machine must work on its own.
set -euo pipefail
cmake=$1
build=$2
version=$3
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT

"$cmake" --install "$build" --prefix "$root/usr" >/dev/null

for file in bin/quorlin bin/quorlin-cli share/applications/quorlin.desktop \
            share/icons/hicolor/scalable/apps/quorlin.svg \
            share/quorlin/data/calibration.txt share/quorlin/data/adjustment.txt; do
  [ -e "$root/usr/$file" ] || { echo "not installed: $file"; exit 1; }
done

cd "$root"  # nothing from the build or source folders is within reach
[ "$(usr/bin/quorlin-cli --version)" = "quorlin-cli $version" ]
calibration=$(usr/bin/quorlin-cli calibrate usr/share/quorlin/data/calibration.txt)
echo "$calibration"
grep -q '^Ezero ' <<<"$calibration"
grep -q '^Rms error = ' <<<"$calibration"
