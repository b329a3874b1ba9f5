# Sourced by the timing scripts of bench/: GNU time, a scratch folder removed at exit with a
# do-nothing `notepad` in $work/bin, and the example fin's general input.
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
