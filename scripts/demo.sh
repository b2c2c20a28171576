#!/usr/bin/env bash
# The main job on the demo database: builds Orvanta, creates the demo host database in a
# scratch folder, runs examples/demo.ocs over the demo lookup and shows the fields it
# changed, before and after.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/build.sh orvanta orvanta-host >/dev/null

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
export ORVANTA_HOST="$scratch/host.db" XDG_CONFIG_HOME="$scratch/config" XDG_DATA_HOME="$scratch/data" ORVANTA_APP_DIR="$scratch"
# Questions are answered on standard input, whether or not there is a display.
export ORVANTA_UI=console
host=build/bin/orvanta-host
fields=(3 4 25 26 27)

show() {
    printf '%-8s' "key"
    for id in "${fields[@]}"; do printf '%14s' "[$id]"; done
    printf '\n'
    for key in $("$host" list | cut -f1 | head -n 8); do
        printf '%-8s' "$key"
        for id in "${fields[@]}"; do printf '%14s' "$("$host" get "$id" --record "$key")"; done
        printf '\n'
    done
    echo "... ($("$host" list | wc -l) contacts in the lookup)"
}

"$host" init --demo >/dev/null
echo "Calculation (examples/demo.ocs):"
grep -v "^'" examples/demo.ocs | tr -d '\r' | sed 's/^/    /'
echo
echo "Before:"
show
echo
echo "Running: orvanta --lookup File:examples/demo.ocs (answering yes)"
echo y | build/bin/orvanta --lookup "File:${PWD// /?}/examples/demo.ocs" 2>&1 | sed 's/^/    /'
echo
echo "After:"
show
