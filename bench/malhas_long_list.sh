#!/bin/sh
# malhas_long_list.sh [ALETA_MALHAS [RUNS]]: the longest list --lista takes, 1000 meshes
# N = 5, 9, ..., 4001 of the example fin, UDS only and without the quadruple-precision reference
# (-e 1 --sem-referencia): the meshes cost little, and the time is that of the files, whose
# extrapolation tables hold a level per mesh (about 110 MB in all). Writing them must be linear
# in the meshes and levels: target at most 5 s.
#
# RUNS runs (default 3), each in a fresh temporary directory. Printed: the fastest and the
# median wall time and the largest peak resident set, between two page probes (timing.sh) that
# show the state of the machine.
set -eu
malhas=$(realpath "${1:-build/aleta-malhas}")
runs=${2:-3}
. "$(dirname "$0")/timing.sh"

meshes=$(seq 5 4 4001 | paste -sd, -)
page_probe
: >"$work/study"
i=0
while [ "$i" -lt "$runs" ]; do
  dir=$(mktemp -d "$work/run.XXXXXX")
  general_input 21 1 >"$dir/entradas_geral.ent"
  timed_run "$work/study" "$dir" "$malhas" -e 1 --sem-referencia --lista "$meshes"
  i=$((i + 1))
done
set -- $(summary "$work/study")
printf '%-52s %8s %8s %9s\n' "($runs runs)" "best s" "median s" "RSS MiB"
printf '%-52s %8s %8s %9s\n' "aleta-malhas -e 1 --sem-referencia, 1000 listed meshes" "$1" "$2" "$3"
awk -v b="$1" 'BEGIN { printf "target at most 5 s: %s\n", b <= 5 ? "met" : "missed" }'
page_probe
