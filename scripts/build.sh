#!/usr/bin/env bash
# Configures and builds Orvanta into build/ (installing the Debian packages it needs).
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
ninja -C build -j "$(nproc)" "$@"
