# Sourced by the timing scripts of bench/: GNU time, a scratch folder removed at exit with a
# do-nothing `notepad` in $work/bin, the example fin's general input, a timed run and the summary
# of a case's runs.
[ -x /usr/bin/time ] || { echo "$0 needs GNU time (Debian package time)" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

mkdir "$work/bin"
printf '#!/bin/sh\nexit 0\n' >"$work/bin/notepad"
chmod +x "$work/bin/notepad"

# The example fin of examples/ with N nodes and tip scheme SCHEME.
general_input() {  # N SCHEME
  printf "relatorio.txt\r\n80\r\n20\r\n25\r\n180\r\n2.0e-5\r\n0.024\r\n0.05\r\n%s\r\n%s\r\n" "$1" "$2"
}

# The state of the machine: seconds a plain loop takes to touch 640 MB page by page. On a virtual
# machine whose host takes back free memory each first touch may cost a fault on the host too:
# here about 0.3 s while faults were cheap and about 2 s while they were dear.
page_probe() {
  python3 -c '
import mmap, time
start = time.perf_counter()
block = mmap.mmap(-1, 640 << 20)
for at in range(0, 640 << 20, mmap.PAGESIZE):
    block[at] = 1
print("640 MB touched page by page: %.2f s" % (time.perf_counter() - start))'
}

# Appends "wall_seconds peak_kib" of one run of COMMAND... in the folder DIR to FILE, then removes
# DIR; the do-nothing notepad comes first on PATH.
timed_run() {  # FILE DIR COMMAND...
  file=$1
  dir=$2
  shift 2
  start=$(date +%s%N)
  (cd "$dir" && PATH="$work/bin:$PATH" /usr/bin/time -f '%M' -o "$dir/rss" "$@" >/dev/null) || {
    echo "$* failed in $dir" >&2
    exit 1
  }
  end=$(date +%s%N)
  echo "$(((end - start) / 1000)) $(cat "$dir/rss")" | awk '{ print $1 / 1e6, $2 }' >>"$file"
  rm -rf "$dir"
}

# "best median peak_MiB" of the runs in FILE.
summary() {  # FILE
  sort -n "$1" | awk '
    { wall[NR] = $1; if ($2 > rss) rss = $2 }
    END {
      median = NR % 2 ? wall[(NR + 1) / 2] : (wall[NR / 2] + wall[NR / 2 + 1]) / 2
      printf "%.3f %.3f %.1f\n", wall[1], median, rss / 1024
    }'
}
