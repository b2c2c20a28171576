#!/usr/bin/env bash
# Import and export at scale: orvanta-host import of ROWS contacts by 45 fields (the
# first 45 contact fields, most of them empty, as an export of a real database looks),
# then export of the result. Prints the duration (wall and CPU: on a shared machine the
# CPU time is what the import would take alone) and peak memory of each (targets: import
# of 400,000 rows within 5 s; both within 100 MB), and how long other writers waited for
# their turn while the import ran (target: far below the 10 s lock timeout).
# Usage: bench/import_bench.sh [ROWS]   (default 400000)
set -euo pipefail
cd "$(dirname "$0")/.."
rows=${1:-400000}
bin=build/bin
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
export ORVANTA_HOST="$scratch/host.db"

now() { date +%s%N; }
ms() { awk -v ns="$1" 'BEGIN { printf "%.0f", ns / 1e6 }'; }

"$bin/orvanta-host" init >/dev/null
header=$("$bin/orvanta-host" fields | head -n 45 | cut -f1 | paste -sd, -)
awk -v n="$rows" -v header="$header" 'BEGIN {
    print header
    empty = ""
    for (c = 0; c < 40; c++) empty = empty ","
    for (i = 1; i <= n; i++)
        printf ",Company %d,%d,%d,Person %d%s\n", i, (i * 7919) % 90000 + 1000, i % 250, i, empty
}' >"$scratch/contacts.csv"
echo "CSV: $rows rows x 45 fields, $(( $(stat -c %s "$scratch/contacts.csv") / 1048576 )) MB"

# Other writers, one after another while the import runs: the longest wait for the lock.
touch "$scratch/importing"
(longest=0
 while [ -e "$scratch/importing" ]; do
     start=$(now)
     "$bin/orvanta-host" set 25 waited --record C0001 >/dev/null 2>&1 || true
     waited=$(( ($(now) - start) / 1000000 ))
     (( waited > longest )) && longest=$waited
     sleep 0.2
 done
 echo "other writers during the import waited at most $longest ms") &
start=$(now)
/usr/bin/time -f "%M %U %S" -o "$scratch/usage" "$bin/orvanta-host" import "$scratch/contacts.csv" >/dev/null
elapsed=$(( $(now) - start ))
rm "$scratch/importing"
read -r rss user sys <"$scratch/usage"
echo "import: $(ms $elapsed) ms wall, $(awk -v u=$user -v s=$sys 'BEGIN { printf "%.2f", u + s }') s CPU, peak RSS $((rss / 1024)) MB"
wait

start=$(now)
/usr/bin/time -f "%M %U %S" -o "$scratch/usage" "$bin/orvanta-host" export "$scratch/out.csv"
elapsed=$(( $(now) - start ))
read -r rss user sys <"$scratch/usage"
echo "export: $(ms $elapsed) ms wall, $(awk -v u=$user -v s=$sys 'BEGIN { printf "%.2f", u + s }') s CPU, peak RSS $((rss / 1024)) MB, $(( $(stat -c %s "$scratch/out.csv") / 1048576 )) MB written"
