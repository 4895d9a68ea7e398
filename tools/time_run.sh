#!/usr/bin/env bash
# Times whole runs of the installer, each in a fresh directory, against the
# cost of writing the same bytes: copying the six files of an earlier run
# into a fresh directory. Prints both medians, their ratio, and the peak
# memory of a run.
#
#   tools/time_run.sh [INSTALLER] [RUNS]
set -euo pipefail
installer=$(realpath "${1:-build/src/Tarvosa_Corvale}")
runs=${2:-21}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

microseconds() { echo "${EPOCHREALTIME/./}"; }
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

for i in $(seq "$runs"); do
  mkdir "$work/run$i"
  cp "$installer" "$work/run$i/"
  start=$(microseconds)
  "$work/run$i/Tarvosa_Corvale" 2>/dev/null
  echo $(($(microseconds) - start))
done | median > "$work/run.us"

mapfile -t files < <(find "$work/run1" -type f ! -name Tarvosa_Corvale | sort)
for i in $(seq "$runs"); do
  mkdir "$work/copy$i"
  start=$(microseconds)
  cp "${files[@]}" "$work/copy$i/"
  echo $(($(microseconds) - start))
done | median > "$work/copy.us"

mkdir "$work/peak" && cp "$installer" "$work/peak/"
peak=$(/usr/bin/time -f %M "$work/peak/Tarvosa_Corvale" 2>&1 >/dev/null | tail -n 1)

awk -v run="$(cat "$work/run.us")" -v copy="$(cat "$work/copy.us")" -v peak="$peak" 'BEGIN {
  printf "whole run %.2f ms, writing the same bytes %.2f ms, ratio %.2f; peak memory %d KiB\n",
         run / 1000, copy / 1000, run / copy, peak }'
