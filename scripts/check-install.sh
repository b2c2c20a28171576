#!/usr/bin/env bash
# Installs the build into a scratch prefix and runs the installed orvanta there on the
# demo database, with nothing of the build folder in reach; then builds the Debian
# package and validates the desktop entries. Expects a finished build in build/.
set -euo pipefail
cd "$(dirname "$0")/.."

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
prefix="$scratch/prefix"
cmake --install build --prefix "$prefix" >/dev/null

for file in bin/orvanta bin/orvanta-host lib/orvanta/orvanta-ui.so share/orvanta/orvanta_manual.pdf \
    share/man/man1/orvanta.1.gz share/applications/orvanta.desktop \
    share/icons/hicolor/scalable/apps/orvanta.svg share/mime/packages/orvanta.xml; do
    [ -e "$prefix/$file" ] || { echo "not installed: $file" >&2; exit 1; }
done
if readelf -d "$prefix/bin/orvanta" "$prefix/lib/orvanta/orvanta-ui.so" | grep -q "$PWD"; then
    echo "an installed file carries a path of the build folder" >&2
    exit 1
fi

export ORVANTA_HOST="$scratch/host.db" XDG_DATA_HOME="$scratch/data" XDG_CONFIG_HOME="$scratch/config"
export ORVANTA_UI=console
"$prefix/bin/orvanta-host" init --demo >/dev/null
"$prefix/bin/orvanta-host" set 3 600 >/dev/null
"$prefix/bin/orvanta" "[25]=[3]*2"
result=$("$prefix/bin/orvanta-host" get 25)
[ "$result" = 1200 ] || { echo "installed orvanta wrote '$result', not 1200" >&2; exit 1; }
# With a display the window library is found in lib/orvanta: the main window opens and
# stays open until timeout ends it, where a missing library would fall back to the console.
status=0
env -u ORVANTA_UI QT_QPA_PLATFORM=offscreen timeout 5 "$prefix/bin/orvanta" 2>"$scratch/ui.txt" || status=$?
if [ "$status" -ne 124 ] || grep -q "no windows" "$scratch/ui.txt"; then
    echo "installed orvanta did not open its main window (status $status)" >&2
    cat "$scratch/ui.txt" >&2
    exit 1
fi
echo "installed orvanta ran on the demo database and opened its main window"

desktop-file-validate packaging/orvanta.desktop packaging/orvanta-editor.desktop
(cd build && cpack -G DEB >/dev/null)
deb=$(ls build/orvanta_*.deb)
dpkg-deb --field "$deb" Depends
echo "package: $deb"
