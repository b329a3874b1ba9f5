#!/bin/sh
# malhas_speed.sh [ALETA [ALETA_MALHAS [RUNS]]]: a UDS mesh study of the meshes N = 2^j + 1 for
# j = 1 ... 20 (3, 5, 9, ..., 2^20 + 1: twenty meshes) beside one run of aleta on the finest of
# them alone. The study runs without its quadruple-precision reference (--sem-referencia): this
# compares the double computation with aleta's; budget_speed.sh times the reference.
#
# The two alternate, RUNS times each (default 7), each run in a fresh temporary directory with a
# do-nothing `notepad` first on PATH, so that both meet the machine in the same state. Printed:
# the fastest and the median wall time and the largest peak resident set of each, and the
# study's times over aleta's, between two page probes (timing.sh) that show the state of the
# machine.
set -eu
aleta=$(realpath "${1:-build/aleta}")
malhas=$(realpath "${2:-build/aleta-malhas}")
runs=${3:-7}
. "$(dirname "$0")/timing.sh"

# One run of COMMAND... in a new directory, timed into FILE.
run_once() {  # FILE N COMMAND...
  file=$1
  dir=$(mktemp -d "$work/run.XXXXXX")
  general_input "$2" 1 >"$dir/entradas_geral.ent"
  shift 2
  timed_run "$file" "$dir" "$@"
}

page_probe
: >"$work/aleta"
: >"$work/study"
i=0
while [ "$i" -lt "$runs" ]; do
  run_once "$work/aleta" 1048577 "$aleta"
  run_once "$work/study" 3 "$malhas" --malhas 20 --sem-referencia
  i=$((i + 1))
done

set -- $(summary "$work/aleta") $(summary "$work/study")
printf '%-44s %8s %8s %9s\n' "($runs runs each)" "best s" "median s" "RSS MiB"
printf '%-44s %8s %8s %9s\n' "aleta, UDS, N = 2^20 + 1" "$1" "$2" "$3"
printf '%-44s %8s %8s %9s\n' "aleta-malhas, UDS, 20 meshes N = 3 ... 2^20 + 1" "$4" "$5" "$6"
awk -v a="$1" -v am="$2" -v s="$4" -v sm="$5" \
  'BEGIN { printf "study / aleta: %.2f (best), %.2f (median); target at most 1.0\n", s / a, sm / am }'
page_probe
