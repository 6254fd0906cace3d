#!/usr/bin/env bash
# Start-up time to the first painted window and memory: velmarto, the bare Qt dialog baseline,
# galculator and speedcrunch, side by side in one startup-bench run.
#   bench/startup.sh [RUNS] [BUILD_DIR]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
runs=${1:-15}
build=${2:-$root/build/release}
"$root/scripts/install-deps" bench
"$root/../shared/tools/startup-bench/startup-bench" -n "$runs" \
    velmarto="$build/ui/velmarto" \
    bare-qt="$build/bench/bare_dialog" \
    galculator=galculator \
    speedcrunch=speedcrunch
