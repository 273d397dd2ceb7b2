#!/usr/bin/env bash
# The browser build's pass rate against the desktop's: vorlisk-sim under node
# and natively on the benchmark's inverter chain (1,000 components) and
# ripple counter, in virtual time, the start-up (a run of 0 passes) taken
# off. Run by hand after building both (build/, build-web/):
#   bench/web_pass_rate.sh [PASSES]
set -euo pipefail
cd "$(dirname "$0")/.."
passes=${1:-20000}
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
build/tests/sim_equivalence --bench-circuits "$dir"

seconds() {  # best of three runs, in seconds
  local best=""
  for _ in 1 2 3; do
    local start end t
    start=$(date +%s.%N)
    "$@" >/dev/null 2>&1
    end=$(date +%s.%N)
    t=$(echo "$end - $start" | bc -l)
    if [ -z "$best" ] || (( $(echo "$t < $best" | bc -l) )); then best=$t; fi
  done
  echo "$best"
}

for circuit in inverter_chain ripple_counter; do
  file="$dir/$circuit.vlk"
  for side in native node; do
    if [ $side = native ]; then run=(build/vorlisk-sim); else run=(node --no-experimental-fetch build-web/vorlisk-sim.js); fi
    idle=$(seconds "${run[@]}" "$file" --passes 0)
    busy=$(seconds "${run[@]}" "$file" --passes "$passes")
    rate=$(echo "$passes / ($busy - $idle)" | bc -l)
    printf '%-15s %-6s %10.0f passes/s\n' "$circuit" "$side" "$rate"
    eval "rate_$side=$rate"
  done
  printf '%-15s node/native %.0f %%\n' "$circuit" "$(echo "100 * $rate_node / $rate_native" | bc -l)"
done
