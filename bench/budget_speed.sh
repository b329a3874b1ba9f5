#!/bin/sh
# budget_speed.sh [ALETA_MALHAS [RUNS]]: mesh studies with the quadruple-precision reference on,
# each RUNS times (default 5) in a fresh temporary directory: the default study (ten meshes) of
# each shipped example, and a 14-mesh UDS-2 study of the example (N = 21 ... 163841). Printed: the
# fastest and the median wall time and the largest peak resident set of each, between two page
# probes (timing.sh). Targets: at most 1 s for each default study, 20 s for the 14 meshes.
set -eu
malhas=$(realpath "${1:-build/aleta-malhas}")
runs=${2:-5}
examples=$(realpath "$(dirname "$0")/../examples")
. "$(dirname "$0")/timing.sh"

# One study of EXAMPLE with ARGUMENTS..., timed into FILE.
run_once() {  # FILE EXAMPLE ARGUMENTS...
  file=$1
  dir=$(mktemp -d "$work/run.XXXXXX")
  cp "$examples/$2"/entradas_*.ent "$dir"
  shift 2
  timed_run "$file" "$dir" "$malhas" "$@"
}

page_probe
: >"$work/uds"
: >"$work/uds2"
: >"$work/long"
i=0
while [ "$i" -lt "$runs" ]; do
  run_once "$work/uds" uds
  run_once "$work/uds2" uds2
  run_once "$work/long" uds2 --malhas 14
  i=$((i + 1))
done

printf '%-58s %8s %8s %9s\n' "($runs runs each, reference on)" "best s" "median s" "RSS MiB"
set -- $(summary "$work/uds")
printf '%-58s %8s %8s %9s\n' "examples/uds, default study (target 1 s)" "$1" "$2" "$3"
set -- $(summary "$work/uds2")
printf '%-58s %8s %8s %9s\n' "examples/uds2, default study (target 1 s)" "$1" "$2" "$3"
set -- $(summary "$work/long")
printf '%-58s %8s %8s %9s\n' "examples/uds2, --malhas 14, N up to 163841 (target 20 s)" "$1" "$2" "$3"
page_probe
