#!/bin/bash
# dear_state.sh [ROUNDS ALETA...]: UDS with N = 10^7 while page faults are dear, for each program
# given (default build/aleta), alternating, ROUNDS times (default 4).
#
# On a virtual machine whose host takes back free memory, the first touch of a page the guest has
# not used for a while costs a fault on the host as well: the "dear" state, in which the page
# probe of timing.sh takes about 2 s instead of 0.3 s. This script brings it about on purpose and
# keeps it from run to run:
# - a holder keeps most of the free memory (all but a GiB per run and 4 more), so that the host
#   is short of it;
# - before the first probe, and after it and every run, a holder of 1 GiB takes the pages given
#   back last, so that the next run gets pages untouched since the start.
# Every holder is given back at the end. Printed: each run's wall time, then the fastest and the
# median of each program, between two page probes.
set -eu
rounds=${1:-4}
shift || true
[ $# -gt 0 ] || set -- build/aleta
programs=()
for p in "$@"; do programs+=("$(realpath "$p")"); done
. "$(dirname "$0")/timing.sh"

holders=()
trap 'kill "${holders[@]}" 2>/dev/null; rm -rf "$work"' EXIT

# Keeps GIB gibibytes with their pages in place until killed.
hold() {  # GIB
  python3 -c '
import mmap, sys, time
block = mmap.mmap(-1, int(sys.argv[1]) << 30, flags=mmap.MAP_PRIVATE | mmap.MAP_ANONYMOUS)
block.madvise(23)  # MADV_POPULATE_WRITE
time.sleep(3600)' "$1" &
  holders+=($!)
  sleep 3
}

available_gib=$(awk '/^MemAvailable:/ { print int($2 / 1048576) }' /proc/meminfo)
spare_gib=$((rounds * ${#programs[@]} + 4))
[ "$available_gib" -le "$spare_gib" ] || hold $((available_gib - spare_gib))
sleep 15
hold 1
page_probe
hold 1

i=0
while [ "$i" -lt "$rounds" ]; do
  k=0
  for p in "${programs[@]}"; do
    dir=$(mktemp -d "$work/run.XXXXXX")
    general_input 10000000 1 >"$dir/entradas_geral.ent"
    start=$(date +%s%N)
    (cd "$dir" && PATH="$work/bin:$PATH" "$p" >/dev/null) || { echo "$p failed in $dir" >&2; exit 1; }
    end=$(date +%s%N)
    rm -rf "$dir"
    echo "$(((end - start) / 1000))" >>"$work/times$k"
    printf '%-40s %8.3f s\n' "$p" "$(echo "$(((end - start) / 1000))" | awk '{ print $1 / 1e6 }')"
    hold 1
    k=$((k + 1))
  done
  i=$((i + 1))
done

k=0
for p in "${programs[@]}"; do
  sort -n "$work/times$k" | awk -v p="$p" '{ t[NR] = $1 }
    END { m = NR % 2 ? t[(NR + 1) / 2] : (t[NR / 2] + t[NR / 2 + 1]) / 2
          printf "%-40s best %.3f s, median %.3f s\n", p, t[1] / 1e6, m / 1e6 }'
  k=$((k + 1))
done
page_probe
