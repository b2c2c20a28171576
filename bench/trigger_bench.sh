#!/usr/bin/env bash
# Whole-process timings of `orvanta-host set` on a field whose trigger runs orvanta
# "[25]=[3]*2" (the command line the trigger builder shows), beside the same set on a field
# without a trigger and beside one `orvanta "[25]=[3]*2"` alone. Target: the triggered set
# costs no more than the plain set plus one trigger run (ratio <= 1.0, noise aside).
# Usage: bench/trigger_bench.sh [RUNS]   (default 100)
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-100}
bin=$(pwd)/build/bin
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
export ORVANTA_HOST="$scratch/host.db" XDG_CONFIG_HOME="$scratch/config" ORVANTA_APP_DIR="$scratch"
export ORVANTA_UI=console

now() { date +%s%N; }
ms() { awk -v ns="$1" 'BEGIN { printf "%.3f", ns / 1e6 }'; }
per_run() { local start=$1; echo $(( ($(now) - start) / runs )); }

"$bin/orvanta-host" init --demo --force >/dev/null
"$bin/orvanta-host" trigger 3 "$bin/orvanta /[25]=[3]*2"

start=$(now)
for ((i = 0; i < runs; i++)); do "$bin/orvanta-host" set 4 "$i"; done
plain_ns=$(per_run "$start")

start=$(now)
for ((i = 0; i < runs; i++)); do "$bin/orvanta-host" set 3 "$i"; done
triggered_ns=$(per_run "$start")
[[ $("$bin/orvanta-host" get 25) == $(( (runs - 1) * 2 )) ]] || { echo "trigger did not run" >&2; exit 1; }

start=$(now)
for ((i = 0; i < runs; i++)); do "$bin/orvanta" "/[25]=[3]*2"; done
orvanta_ns=$(per_run "$start")

budget_ns=$(( plain_ns + orvanta_ns ))
echo "set without trigger: $(ms $plain_ns) ms"
echo "set with trigger:    $(ms $triggered_ns) ms"
echo "orvanta run alone:   $(ms $orvanta_ns) ms"
echo "overhead of the trigger: $(ms $(( triggered_ns - plain_ns ))) ms;" \
    "triggered / (plain + one run) = $(awk -v a=$triggered_ns -v b=$budget_ns 'BEGIN { printf "%.2f", a / b }')"
