#!/usr/bin/env bash
# The evaluator benchmark in two machine setups, since the C library's time zone and
# locale handling can hide a slow path on one of them:
#   plain       TZ unset and LANG=C.UTF-8, as on most desktops
#   configured  a time zone and a locale set in the environment
# Usage: bench/eval_bench.sh [google-benchmark options]
set -euo pipefail
cd "$(dirname "$0")/.."
bench=build/bin/eval_bench
echo "== plain: TZ unset, LANG=C.UTF-8"
env -u TZ -u LC_ALL LANG=C.UTF-8 "$bench" "$@"
echo "== configured: TZ=Europe/Berlin, LANG=de_DE.UTF-8"
env -u LC_ALL TZ=Europe/Berlin LANG=de_DE.UTF-8 "$bench" "$@"
