#!/usr/bin/env bash
# Whole-process timings of `orvanta-host set` on a field whose trigger runs orvanta
# "[25]=[3]*2" (the command line the trigger builder shows), beside the same set on a field
# without a trigger and beside one `orvanta "[25]=[3]*2"` alone. Target: the triggered set
# costs no more than the plain set plus one trigger run: overhead <= 1.0 of one run.
# Usage: bench/trigger_bench.sh [RUNS]   (default 100, a multiple of 10)
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-100}
bin=$(pwd)/build/bin
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
export ORVANTA_HOST="$scratch/host.db" XDG_CONFIG_HOME="$scratch/config" ORVANTA_APP_DIR="$scratch"
export ORVANTA_UI=console

# The three loops run interleaved in rounds of 10, so that a change in the machine's load
# falls on all three alike. Wall and CPU (user + system, children included) seconds are
# summed per loop; CPU time is the steadier figure on a busy machine.
TIMEFORMAT='%R %U %S'
round=10
loop_set() { for ((i = 0; i < round; i++)); do "$bin/orvanta-host" set "$1" "$i"; done; }
loop_orvanta() { for ((i = 0; i < round; i++)); do "$bin/orvanta" "/[25]=[3]*2"; done; }
declare -A wall cpu
measure() {
    local name=$1 times
    shift
    times=$( { time "$@" >/dev/null; } 2>&1 )
    read -r wall[$name] cpu[$name] < <(awk -v w="${wall[$name]:-0}" -v c="${cpu[$name]:-0}" -v t="$times" \
        'BEGIN { split(t, a, " "); printf "%.6f %.6f\n", w + a[1], c + a[2] + a[3] }')
}

"$bin/orvanta-host" init --demo --force >/dev/null
"$bin/orvanta-host" trigger 3 "$bin/orvanta /[25]=[3]*2"

for ((r = 0; r < runs / round; r++)); do
    measure plain loop_set 4
    measure triggered loop_set 3
    measure run loop_orvanta
done
[[ $("$bin/orvanta-host" get 25) == $(( (round - 1) * 2 )) ]] || { echo "trigger did not run" >&2; exit 1; }

report() {
    local -n totals=$2
    awk -v what="$1" -v n=$(( runs / round * round )) -v p="${totals[plain]}" -v t="${totals[triggered]}" -v r="${totals[run]}" 'BEGIN {
        p *= 1000 / n; t *= 1000 / n; r *= 1000 / n
        printf "%s: set %.1f ms, set with trigger %.1f ms, orvanta alone %.1f ms; trigger overhead %.1f ms = %.2f of one run\n",
            what, p, t, r, t - p, (t - p) / r }'
}
report "wall" wall
report "cpu " cpu
