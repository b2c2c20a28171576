#!/usr/bin/env bash
# Whole-process timings of `orvanta-host set` on a field whose trigger runs orvanta
# "[25]=[3]*2" (the command line the trigger builder shows), beside the same set on a field
# without a trigger and beside one `orvanta "[25]=[3]*2"` alone. Target: the triggered set
# costs no more than the plain set plus one trigger run: overhead <= 1.0 of one run.
# Usage: bench/trigger_bench.sh [RUNS]   (default 100)
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-100}
bin=$(pwd)/build/bin
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
export ORVANTA_HOST="$scratch/host.db" XDG_CONFIG_HOME="$scratch/config" ORVANTA_APP_DIR="$scratch"
export ORVANTA_UI=console

# Wall and CPU (user + system, children included) milliseconds per run of a loop; CPU
# time is the steadier figure on a busy machine.
TIMEFORMAT='%R %U %S'
per_run() {
    local times
    times=$( { time "$@" >/dev/null; } 2>&1 )
    awk -v n="$runs" -v t="$times" 'BEGIN { split(t, a, " "); printf "%.3f %.3f\n", a[1] * 1000 / n, (a[2] + a[3]) * 1000 / n }'
}
loop_set() { for ((i = 0; i < runs; i++)); do "$bin/orvanta-host" set "$1" "$i"; done; }
loop_orvanta() { for ((i = 0; i < runs; i++)); do "$bin/orvanta" "/[25]=[3]*2"; done; }

"$bin/orvanta-host" init --demo --force >/dev/null
"$bin/orvanta-host" trigger 3 "$bin/orvanta /[25]=[3]*2"

read -r plain_wall plain_cpu < <(per_run loop_set 4)
read -r trig_wall trig_cpu < <(per_run loop_set 3)
[[ $("$bin/orvanta-host" get 25) == $(( (runs - 1) * 2 )) ]] || { echo "trigger did not run" >&2; exit 1; }
read -r run_wall run_cpu < <(per_run loop_orvanta)

report() {
    awk -v what="$1" -v p="$2" -v t="$3" -v r="$4" 'BEGIN {
        printf "%s: set %.1f ms, set with trigger %.1f ms, orvanta alone %.1f ms; trigger overhead %.1f ms = %.2f of one run\n",
            what, p, t, r, t - p, (t - p) / r }'
}
report "wall" "$plain_wall" "$trig_wall" "$run_wall"
report "cpu " "$plain_cpu" "$trig_cpu" "$run_cpu"
