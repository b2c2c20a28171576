#!/usr/bin/env bash
# Whole-process timings of the calculation run, each beside sqlite3 making the same change
# to the same database:
#   trigger  one `orvanta "[25]=[3]*2"` on the current contact (target: within 2x of sqlite3)
#   lookup   a three-statement calculation with --all over N contacts (target: within 5x of
#            the SQL that makes the same changes, peak memory under 100 MB)
# Usage: bench/run_bench.sh [CONTACTS] [TRIGGER_RUNS]   (defaults 100000 and 200)
set -euo pipefail
cd "$(dirname "$0")/.."
contacts=${1:-100000}
runs=${2:-200}
bin=build/bin
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
export ORVANTA_HOST="$scratch/host.db" XDG_CONFIG_HOME="$scratch/config" XDG_DATA_HOME="$scratch/data" ORVANTA_APP_DIR="$scratch"
export ORVANTA_UI=console

now() { date +%s%N; }
ms() { awk -v ns="$1" 'BEGIN { printf "%.3f", ns / 1e6 }'; }

"$bin/orvanta-host" init --demo --force >/dev/null

trigger_sql="INSERT OR REPLACE INTO field_values(record, field, value)
  SELECT record, 25, value * 2 FROM field_values
  WHERE field = 3 AND record = (SELECT id FROM records
    WHERE key = (SELECT value FROM state WHERE key = 'current_contact'));"

start=$(now)
for ((i = 0; i < runs; i++)); do "$bin/orvanta" "[25]=[3]*2"; done
orvanta_ns=$(( ($(now) - start) / runs ))
start=$(now)
for ((i = 0; i < runs; i++)); do sqlite3 "$ORVANTA_HOST" "PRAGMA busy_timeout=10000; $trigger_sql" >/dev/null; done
sqlite_ns=$(( ($(now) - start) / runs ))
echo "trigger: orvanta $(ms $orvanta_ns) ms, sqlite3 $(ms $sqlite_ns) ms, ratio $(awk -v a=$orvanta_ns -v b=$sqlite_ns 'BEGIN { printf "%.2f", a / b }')"

# A database of N contacts with numbers in fields 3 and 4.
awk -v n="$contacts" 'BEGIN { print "2,3,4"; for (i = 1; i <= n; i++) printf "Company %d,%d,%d\n", i, (i * 7919) % 90000 + 1000, i % 250 }' >"$scratch/contacts.csv"
"$bin/orvanta-host" init --force >/dev/null
"$bin/orvanta-host" import "$scratch/contacts.csv" >/dev/null
"$bin/orvanta-host" lookup all >/dev/null
cp "$ORVANTA_HOST" "$scratch/copy.db"

calc='[25]=[3]*2\/[26]=If([4]>100;1;0)\/[27]=[3]+[4]'
start=$(now)
echo y | /usr/bin/time -f "%M" -o "$scratch/rss" "$bin/orvanta" --all "$calc" 2>/dev/null
orvanta_ns=$(( $(now) - start ))
rss_kb=$(tail -n 1 "$scratch/rss")

lookup_sql="PRAGMA busy_timeout=10000; BEGIN;
INSERT OR REPLACE INTO field_values(record, field, value)
  SELECT record, 25, value * 2 FROM field_values WHERE field = 3;
INSERT OR REPLACE INTO field_values(record, field, value)
  SELECT record, 26, CASE WHEN value > 100 THEN 1 ELSE 0 END FROM field_values WHERE field = 4;
INSERT OR REPLACE INTO field_values(record, field, value)
  SELECT a.record, 27, a.value + b.value FROM field_values a JOIN field_values b
  ON b.record = a.record AND b.field = 4 WHERE a.field = 3;
COMMIT;"
start=$(now)
sqlite3 "$scratch/copy.db" "$lookup_sql" >/dev/null
sqlite_ns=$(( $(now) - start ))
echo "lookup ($contacts contacts, 3 statements): orvanta $(ms $orvanta_ns) ms, sqlite3 $(ms $sqlite_ns) ms, ratio $(awk -v a=$orvanta_ns -v b=$sqlite_ns 'BEGIN { printf "%.2f", a / b }'), orvanta peak RSS $((rss_kb / 1024)) MB"
