#!/usr/bin/env bash
# Starts a one-node Slurm cluster on this machine from Debian's packages
# (slurm-wlm, munge), converts a folder as an array job of 4 shards, checks
# that every file was converted exactly once, and stops what it started.
#   scripts/slurm-demo.sh [INPUT_FOLDER] [PLOTVALE]
# Needs root (slurmd runs the jobs as their user). Uses its own ports, socket
# and state folder, so a Slurm already on the machine is not touched.
set -euo pipefail
cd "$(dirname "$0")/.."

input=$(realpath "${1:-examples}")
plotvale=$(realpath "${2:-build/src/app/plotvale}")
shards=4
[ -x "$plotvale" ] || { echo "no program at $plotvale (build first)" >&2; exit 1; }
for tool in munged slurmctld slurmd sbatch sinfo; do
  command -v "$tool" >/dev/null || { echo "$tool is missing: apt-get install slurm-wlm munge" >&2; exit 1; }
done

work=$(mktemp -d /tmp/plotvale-slurm.XXXXXX)
node=$(hostname -s)
export SLURM_CONF="$work/slurm.conf"

stop() {
  # Only the daemons this script started, by the process ids they wrote.
  for pidfile in "$work/slurmd.pid" "$work/slurmctld.pid" "$work/munged.pid"; do
    if [ -s "$pidfile" ]; then kill "$(cat "$pidfile")" 2>/dev/null || true; fi
  done
  sleep 1
  echo "stopped the demo cluster; its files are in $work"
}
trap stop EXIT

mkdir -p "$work/state" "$work/spool" "$work/out" "$work/manifests"
munged --force --socket="$work/munge.socket" --key-file=/etc/munge/munge.key \
  --pid-file="$work/munged.pid" --log-file="$work/munged.log" --seed-file="$work/munge.seed"

cat >"$SLURM_CONF" <<EOF
ClusterName=plotvale-demo
SlurmctldHost=$node
SlurmctldPort=16817
SlurmdPort=16818
SlurmUser=root
SlurmdUser=root
AuthType=auth/munge
CredType=cred/munge
AuthInfo=socket=$work/munge.socket
StateSaveLocation=$work/state
SlurmdSpoolDir=$work/spool
SlurmctldPidFile=$work/slurmctld.pid
SlurmdPidFile=$work/slurmd.pid
SlurmctldLogFile=$work/slurmctld.log
SlurmdLogFile=$work/slurmd.log
ProctrackType=proctrack/linuxproc
TaskPlugin=task/none
SelectType=select/cons_tres
SelectTypeParameters=CR_CPU
MpiDefault=none
ReturnToService=2
JobCompType=jobcomp/none
AccountingStorageType=accounting_storage/none
NodeName=$node CPUs=$(nproc) State=UNKNOWN
PartitionName=demo Nodes=ALL Default=YES MaxTime=INFINITE State=UP
EOF

slurmctld -c
slurmd -c
for _ in $(seq 60); do
  state=$(sinfo -h -o %T 2>/dev/null || true)
  [ "$state" = idle ] && break
  sleep 1
done
echo "node $node: ${state:-not up}"
[ "$state" = idle ] || { echo "the node did not come up; see $work/*.log" >&2; exit 1; }

cat >"$work/convert.sbatch" <<EOF
#!/bin/sh
#SBATCH --job-name=plotvale
#SBATCH --array=0-$((shards - 1))
#SBATCH --cpus-per-task=1
#SBATCH --output=$work/shard-%a.log
exec "$plotvale" -i "$input/" -o "$work/out/" -c png -q --jobs=1 \\
  --shard=\$SLURM_ARRAY_TASK_ID/$shards --skip-existing \\
  --manifest="$work/manifests/shard-\$SLURM_ARRAY_TASK_ID.jsonl"
EOF
sbatch --wait "$work/convert.sbatch" || true  # a shard with failed files ends with status 2

inputs=$(find "$input" -type f \( -iname '*.wmf' -o -iname '*.wmz' -o -iname '*.apm' \) -size +0 | wc -l)
listed=$(cat "$work"/manifests/*.jsonl | wc -l)
distinct=$(cat "$work"/manifests/*.jsonl | sed 's/^{"input":"\([^"]*\)".*/\1/' | sort -u | wc -l)
converted=$(cat "$work"/manifests/*.jsonl | grep -c '"status":"converted"' || true)
outputs=$(find "$work/out" -name '*.png' | wc -l)
echo "inputs $inputs, manifest lines $listed, distinct inputs $distinct, converted $converted, outputs $outputs"
for shard in $(seq 0 $((shards - 1))); do
  echo "shard $shard: $(wc -l <"$work/manifests/shard-$shard.jsonl") files"
done
if [ "$listed" -eq "$inputs" ] && [ "$distinct" -eq "$inputs" ] && [ "$outputs" -eq "$converted" ]; then
  echo "every file was converted exactly once"
else
  echo "shards disagree with the folder" >&2
  exit 1
fi
