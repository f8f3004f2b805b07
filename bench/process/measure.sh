#!/usr/bin/env bash
# The whole-process figure of reading: `irvata-cli info` on generated mines of 1 000, 10 000
# and 100 000 branches and on a tiny file, beside a process that only inflates the same body
# (irvata_inflate_floor). Each run is timed with /usr/bin/time -v; the medians of RUNS runs
# are printed: wall time, peak resident memory, the info process against the floor with the
# tiny file's start-up taken off, and the peak memory per branch above the tiny file.
#
#   bench/process/measure.sh [BUILD_DIR] [RUNS]     (defaults: build, 5)
set -euo pipefail

build=${1:-build}
runs=${2:-5}
cli=$build/src/cli/irvata-cli
floor=$build/bench/irvata_inflate_floor
for exe in "$cli" "$floor"; do
  [ -x "$exe" ] || { echo "missing $exe (build irvata-cli and irvata_inflate_floor)" >&2; exit 1; }
done
[ -x /usr/bin/time ] || { echo "missing /usr/bin/time (apt package time)" >&2; exit 1; }

base=/tmp
[ -d /dev/shm ] && base=/dev/shm
dir=$(mktemp -d "$base/irvata-process-XXXXXX")
trap 'rm -rf "$dir"' EXIT

sizes=(1000 10000 100000)
"$cli" generate --branches 1 "$dir/tiny.irv" >/dev/null
for n in "${sizes[@]}"; do
  "$cli" generate --branches "$n" "$dir/mine-$n.irv" >/dev/null
done

median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# Prints "<median wall seconds> <median peak kB>" of RUNS runs of the command.
measure() {
  local walls=() rss=() out
  for ((i = 0; i < runs; ++i)); do
    /usr/bin/time -v -o "$dir/time.txt" "$@" >/dev/null 2>&1 || { echo "failed: $*" >&2; exit 1; }
    out=$(<"$dir/time.txt")
    walls+=("$(awk -F': ' '/Elapsed \(wall clock\)/ { n = split($2, t, ":"); s = 0; for (k = 1; k <= n; ++k) s = s * 60 + t[k]; print s }' <<<"$out")")
    rss+=("$(awk -F': ' '/Maximum resident set size/ { print $2 }' <<<"$out")")
  done
  echo "$(printf '%s\n' "${walls[@]}" | median) $(printf '%s\n' "${rss[@]}" | median)"
}

echo "load: $(cut -d' ' -f1-3 /proc/loadavg), $(nproc) cores, $runs runs each, medians"
read -r tinyWall tinyRss < <(measure "$cli" info "$dir/tiny.irv")
printf '%-8s %8s %8s %10s %8s %10s %8s %12s\n' branches file_MB info_s info_MB floor_s floor_MB info/flr B/branch
awk -v w="$tinyWall" -v r="$tinyRss" 'BEGIN { printf "%-8s %8s %8.3f %10.1f\n", "tiny", "", w, r / 1024 }'
for n in "${sizes[@]}"; do
  file=$dir/mine-$n.irv
  read -r infoWall infoRss < <(measure "$cli" info "$file")
  read -r floorWall floorRss < <(measure "$floor" "$file")
  awk -v n="$n" -v size="$(stat -c %s "$file")" -v iw="$infoWall" -v ir="$infoRss" -v fw="$floorWall" \
      -v fr="$floorRss" -v tw="$tinyWall" -v tr="$tinyRss" 'BEGIN {
        ratio = fw > 0 ? (iw - tw) / fw : 0
        printf "%-8d %8.2f %8.3f %10.1f %8.3f %10.1f %8.2f %12.0f\n", n, size / 1e6, iw, ir / 1024, fw, fr / 1024,
               ratio, (ir - tr) * 1024 / n }'
done
echo "info/flr: info's wall time less the tiny file's, over the floor's; B/branch: info's peak above the tiny file's"
