#!/usr/bin/env bash
# What the run journal costs, each run with the journal beside the same run without it
# (ORVANTA_JOURNAL=off):
#   lookup   --all with three statements over N contacts (target: at most 25% slower)
#   trigger  one `orvanta "[25]=[3]*2"` on the current contact (target: at most 1 ms slower)
#   size     the journal's bytes per written field after the lookup run
#   undo     the time `orvanta --undo` takes to give the N contacts back their values
# Usage: bench/journal_bench.sh [CONTACTS] [TRIGGER_RUNS] [REPEATS]   (defaults 100000, 200, 3)
set -euo pipefail
cd "$(dirname "$0")/.."
contacts=${1:-100000}
runs=${2:-200}
repeats=${3:-3}
bin=build/bin
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
export ORVANTA_HOST="$scratch/host.db" XDG_CONFIG_HOME="$scratch/config" ORVANTA_APP_DIR="$scratch"
export XDG_DATA_HOME="$scratch/data" ORVANTA_UI=console
journal="$XDG_DATA_HOME/orvanta/journal.db"

now() { date +%s%N; }
ms() { awk -v ns="$1" 'BEGIN { printf "%.3f", ns / 1e6 }'; }

# The fastest of the repeats as "wall_ns cpu_ns" (CPU: user and system time, which a
# busy machine disturbs less): a fresh copy of the database each time.
calc='[25]=[3]*2\/[26]=If([4]>100;1;0)\/[27]=[3]+[4]'
time_lookup() {
    local best=0 best_cpu=0
    for ((r = 0; r < repeats; r++)); do
        cp "$scratch/fresh.db" "$ORVANTA_HOST"
        rm -f "$ORVANTA_HOST-wal" "$ORVANTA_HOST-shm"
        rm -rf "$XDG_DATA_HOME"
        local start=$(now)
        echo y | /usr/bin/time -f "%U %S" -o "$scratch/cpu" "$bin/orvanta" --all "$calc" 2>/dev/null
        local took=$(( $(now) - start ))
        local cpu=$(awk '{ printf "%d", ($1 + $2) * 1e9 }' "$scratch/cpu")
        if ((best == 0 || took < best)); then best=$took; fi
        if ((best_cpu == 0 || cpu < best_cpu)); then best_cpu=$cpu; fi
    done
    echo "$best $best_cpu"
}

# A database of N contacts with numbers in fields 3 and 4.
awk -v n="$contacts" 'BEGIN { print "2,3,4"; for (i = 1; i <= n; i++) printf "Company %d,%d,%d\n", i, (i * 7919) % 90000 + 1000, i % 250 }' >"$scratch/contacts.csv"
"$bin/orvanta-host" init --force >/dev/null
"$bin/orvanta-host" import "$scratch/contacts.csv" >/dev/null
"$bin/orvanta-host" lookup all >/dev/null
cp "$ORVANTA_HOST" "$scratch/fresh.db"

read -r without without_cpu < <(ORVANTA_JOURNAL=off time_lookup)
read -r with with_cpu < <(time_lookup)
percent() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%+.1f%%", (a / b - 1) * 100 }'; }
echo "lookup ($contacts contacts, 3 statements): without journal $(ms $without) ms, with $(ms $with) ms, $(percent $with $without); CPU $(ms $without_cpu) ms and $(ms $with_cpu) ms, $(percent $with_cpu $without_cpu)"

fields=$(sqlite3 "$journal" "SELECT sum(fields) FROM writes")
sqlite3 "$journal" "PRAGMA wal_checkpoint(TRUNCATE)" >/dev/null
bytes=$(stat -c %s "$journal")
echo "journal size: $bytes bytes for $fields fields, $(awk -v a=$bytes -v b=$fields 'BEGIN { printf "%.1f", a / b }') bytes per written field"

start=$(now)
echo y | "$bin/orvanta" --undo >/dev/null 2>&1
undo_ns=$(( $(now) - start ))
restored=$(sqlite3 "$journal" "SELECT fields FROM runs ORDER BY id DESC LIMIT 1")
echo "undo of the $contacts-contact run: $(ms $undo_ns) ms ($restored fields restored)"

"$bin/orvanta-host" init --demo --force >/dev/null
rm -rf "$XDG_DATA_HOME"
# Runs with and without the journal take turns, so that a change in the machine's load
# falls on both alike.
without=0
with=0
# Warm the journal first: its creation is a one-off.
"$bin/orvanta" "[25]=[3]*2"
for ((i = 0; i < runs; i++)); do
    start=$(now)
    ORVANTA_JOURNAL=off "$bin/orvanta" "[25]=[3]*2"
    middle=$(now)
    "$bin/orvanta" "[25]=[3]*2"
    end=$(now)
    without=$((without + middle - start))
    with=$((with + end - middle))
done
without=$((without / runs))
with=$((with / runs))
# CPU time of each kind of run over the whole loop, as above less disturbed by the load.
trigger_cpu() {
    /usr/bin/time -f "%U %S" -o "$scratch/cpu" bash -c \
        'for ((i = 0; i < $1; i++)); do "$2" "[25]=[3]*2"; done' _ "$runs" "$bin/orvanta"
    awk -v n="$runs" '{ printf "%d", ($1 + $2) * 1e9 / n }' "$scratch/cpu"
}
without_cpu=$(ORVANTA_JOURNAL=off trigger_cpu)
with_cpu=$(trigger_cpu)
echo "trigger: without journal $(ms $without) ms, with $(ms $with) ms, difference $(ms $((with - without))) ms; CPU $(ms $without_cpu) ms and $(ms $with_cpu) ms, difference $(ms $((with_cpu - without_cpu))) ms"
