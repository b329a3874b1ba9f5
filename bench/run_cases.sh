#!/bin/sh
# run_cases.sh [ALETA [RUNS]]: times whole runs of the program on the four speed cases.
#
# Each case runs RUNS times (default 5) in a fresh temporary directory, with a do-nothing
# `notepad` first on PATH. Printed per case: the fastest and the median wall time, the largest
# peak resident set, and of the fastest run the processing time the report itself states, its
# page faults and its system time. Where strace is installed, one more run gives the seconds
# spent in the calls that obtain and give back storage (mmap, madvise, munmap, brk, ...). The
# page probe of timing.sh shows the state of the machine before and after.
set -eu
aleta=$(realpath "${1:-build/aleta}")
runs=${2:-5}
. "$(dirname "$0")/timing.sh"

# A new directory holding the inputs of a case.
case_directory() {  # N SCHEME [ITMAX TOL T0]
  dir=$(mktemp -d "$work/run.XXXXXX")
  general_input "$1" "$2" >"$dir/entradas_geral.ent"
  [ $# -lt 5 ] || printf '%s\r\n%s\r\n%s\r\n' "$3" "$4" "$5" >"$dir/entradas_uds.ent"
  echo "$dir"
}

# Prints "wall_seconds peak_kib report_seconds minor_faults system_seconds" for one run in a new
# directory. GNU time gives the peak resident set, the faults and the system time; the wall time
# is taken around it to the nanosecond.
run_once() {  # N SCHEME [ITMAX TOL T0]
  dir=$(case_directory "$@")
  start=$(date +%s%N)
  (cd "$dir" && PATH="$work/bin:$PATH" /usr/bin/time -f '%M %R %S' -o "$dir/time" "$aleta") || {
    echo "aleta failed in $dir" >&2
    exit 1
  }
  end=$(date +%s%N)
  tempo=$(tr -d '\r' <"$dir/relatorio.txt" | sed -n 's/^Tempo de processamento.*: *//p')
  echo "$(((end - start) / 1000)) $(cat "$dir/time") $tempo" |
    awk '{ print $1 / 1e6, $2, $5, $3, $4 }'
  rm -rf "$dir"
}

# Seconds one run spends in the memory calls of the system, or "-" without strace.
storage_seconds() {  # N SCHEME [ITMAX TOL T0]
  command -v strace >/dev/null || { echo -; return; }
  dir=$(case_directory "$@")
  (cd "$dir" && PATH="$work/bin:$PATH" strace --seccomp-bpf -f -c -w -e trace=%memory \
    -o "$dir/calls" "$aleta") || {
    echo "aleta failed under strace in $dir" >&2
    exit 1
  }
  awk '$NF == "total" { print $2 }' "$dir/calls"
  rm -rf "$dir"
}

run_case() {  # LABEL N SCHEME [ITMAX TOL T0]
  label=$1
  shift
  i=0
  : >"$work/results"
  while [ "$i" -lt "$runs" ]; do
    run_once "$@" >>"$work/results"
    i=$((i + 1))
  done
  storage=$(storage_seconds "$@")
  sort -n "$work/results" | awk -v label="$label" -v storage="$storage" '
    { wall[NR] = $1; if ($2 > rss) rss = $2; if (NR == 1) { tempo = $3; faults = $4; sys = $5 } }
    END {
      median = NR % 2 ? wall[(NR + 1) / 2] : (wall[NR / 2] + wall[NR / 2 + 1]) / 2
      printf "%-32s %8.3f %8.3f %9.1f %8s %8d %6.2f %9s\n", label, wall[1], median, rss / 1024,
             tempo, faults, sys, storage
    }'
}

page_probe
printf '%-32s %8s %8s %9s %8s %8s %6s %9s\n' "case ($runs runs)" "best s" "median s" "RSS MiB" \
  "report s" "faults" "sys s" "storage s"
run_case "UDS, N = 10^6" 1000000 1
run_case "UDS, N = 10^7" 10000000 1
run_case "UDS-2, N = 10^6, 100 iterations" 1000000 2 100 1e-12 20
run_case "UDS-2, N = 3, 10^6 iterations" 3 2 1000000 0 20
page_probe
