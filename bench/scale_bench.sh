#!/usr/bin/env bash
# Whole-run throughput, side by side with an earlier build:
#   bench/scale_bench.sh OLD_PLOTVALE NEW_PLOTVALE [ROUNDS [TREE_ROUNDS]]
# 1. The shared corpus (58 files) to PNG with the default settings, one call:
#    wall time, CPU time and conversions per CPU second (hyperfine, several
#    rounds alternating the builds).
# 2. A 10,000-file tree (the corpus's clip art copied into 100 folders) at
#    --jobs=1 and at all jobs: files per second, CPU time, peak memory.
# The machine may be shared: wall times are the best of the rounds, CPU
# times of the corpus the mean.
set -euo pipefail

old=$(realpath "$1")
new=$(realpath "$2")
rounds=${3:-5}
tree_rounds=${4:-$rounds}
corpus=$(realpath "$(dirname "$0")/../../shared/corpus/wmf")
work=$(mktemp -d /tmp/plotvale-scale.XXXXXX)
export XDG_RUNTIME_DIR="$work"  # a lock of its own, apart from other runs
trap 'rm -rf "$work"' EXIT

echo "machine: $(nproc) processors, load $(cut -d' ' -f1-3 /proc/loadavg)"
echo "== corpus to PNG ($(ls "$corpus" | wc -l) files), best of $rounds"
hyperfine --style basic -w 1 -r "$rounds" --export-json "$work/corpus.json" \
  --prepare "rm -rf $work/out && mkdir $work/out" \
  -n old "$old -i $corpus/ -o $work/out/ -c png -q" \
  -n new-jobs-1 "$new -i $corpus/ -o $work/out/ -c png -q --jobs=1" \
  -n new "$new -i $corpus/ -o $work/out/ -c png -q" >/dev/null
python3 - "$work/corpus.json" <<'EOF'
import json, sys
runs = json.load(open(sys.argv[1]))["results"]
base = None
for r in runs:
    wall = min(r["times"])
    cpu = r["user"] + r["system"]  # hyperfine keeps only their means
    base = base or (wall, cpu)
    print(f'{r["command"]:12} wall {wall*1000:7.1f} ms ({100*wall/base[0]:5.1f}% of old)  '
          f'cpu {cpu*1000:7.1f} ms  {58/cpu:6.1f} conversions per cpu second '
          f'({100*(base[1]/cpu-1):+.0f}%)')
EOF

echo "== 10,000-file tree to PNG"
mapfile -t clipart < <(find "$corpus" -name '*.wmf' -size -40k | sort)
for folder in $(seq -w 0 99); do
  mkdir -p "$work/tree/f$folder"
  for file in $(seq -w 0 99); do
    pick=${clipart[$(((10#$folder * 100 + 10#$file) % ${#clipart[@]}))]}
    cp "$pick" "$work/tree/f$folder/d$file.wmf"
  done
done
run_tree() {
  local name=$1; shift
  local best=
  for _ in $(seq "$tree_rounds"); do
    rm -rf "$work/out" && mkdir "$work/out"
    /usr/bin/time -f "%e %U %S %M" -o "$work/time" "$@" -i "$work/tree/" -o "$work/out/" -c png -q
    read -r wall user sys rss <"$work/time"
    if [ -z "$best" ] || awk "BEGIN{exit !($wall < ${best%% *})}"; then best="$wall $user $sys $rss"; fi
  done
  read -r wall user sys rss <<<"$best"
  awk -v n="$name" -v w="$wall" -v u="$user" -v s="$sys" -v m="$rss" 'BEGIN{
    printf "%-12s wall %6.2f s  %7.1f files/s  cpu %6.2f s  peak %6.1f MiB\n", n, w, 10000/w, u+s, m/1024}'
}
run_tree old "$old"
run_tree new-jobs-1 "$new" --jobs=1
run_tree new-all "$new" --jobs=0
