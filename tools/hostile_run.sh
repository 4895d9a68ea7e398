#!/usr/bin/env bash
# Runs the scenario tool on hostile inputs of SIZE MB, made in a temporary
# directory, and prints the CPU time (user + system) and peak memory of
# each command, with the exit status; given a second tool (a build of an
# earlier commit), runs both side by side and prints the ratios, earlier
# over this one. A run past LIMIT seconds is stopped and shown as ">LIMIT".
#
#   tools/hostile_run.sh [TOOL] [EARLIER_TOOL] [SIZE] [LIMIT]
#
# The inputs: the `new` scenario whose line file repeats its length record
# to SIZE MB ("lengths"); the same with SIZE MB of length records of 0
# metres before it, a warning each ("warnings"); and its compiled files with
# the plan swollen to SIZE MB of empty rows ("plan").
set -euo pipefail
tool=$(realpath "${1:-build/src/scenario}")
earlier=${2:+$(realpath "$2")}
size=${3:-100}
limit=${4:-300}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# SIZE MB of the line `record` (with its CR LF) into the file `out`.
repeat_to_size() {
  local record=$1 out=$2
  printf '%s\r\n' "$record" >"$work/record"
  local count=$((size * 1024 * 1024 / $(stat -c %s "$work/record")))
  awk -v r="$record" -v n="$count" 'BEGIN { for (i = 0; i < n; i++) printf "%s\r\n", r }' >>"$out"
}

# The line file of the `new` scenario with `file` inserted after its
# "[generale]" line.
line_with() {
  local file=$1 out=$2
  sed -n '0,/\[generale\]/p' "$work/new/Percorso_linea.txt" >"$out"
  cat "$file" >>"$out"
  sed '0,/\[generale\]/d' "$work/new/Percorso_linea.txt" >>"$out"
}

"$tool" new "$work/new" >/dev/null
for input in lengths warnings; do
  mkdir "$work/$input"
  cp "$work/new/Percorso_Treno-.txt" "$work/$input/"
done
repeat_to_size "lunghezza percorso,    8000" "$work/lengths.part"
line_with "$work/lengths.part" "$work/lengths/Percorso_linea.txt"
repeat_to_size "lunghezza percorso, 0" "$work/warnings.part"
line_with "$work/warnings.part" "$work/warnings/Percorso_linea.txt"
rm "$work"/*.part
mkdir "$work/plan" "$work/good"
"$tool" compile "$work/new/Percorso_linea.txt" "$work/new/Percorso_Treno-.txt" -o "$work/good" \
  >/dev/null
cp "$work/good"/* "$work/plan/"
head -c $((size * 1024 * 1024)) /dev/zero >"$work/plan/Percorso_linea.dat"

# "STATUS CPU_SECONDS PEAK_MIB" of the tool `$1` running the rest.
measure() {
  local program=$1
  shift
  rm -rf "$work/out" && mkdir "$work/out"
  local status=0
  timeout "$limit" /usr/bin/time -f '%U %S %M' -o "$work/time" "$program" "$@" \
    >/dev/null 2>&1 || status=$?
  if [ "$status" = 124 ]; then
    echo "- >$limit -"
    return
  fi
  # A status other than 0 comes first in the file, on a line of its own.
  tail -n 1 "$work/time" | awk -v s="$status" '{ printf "%s %.2f %.0f\n", s, $1 + $2, $3 / 1024 }'
}

run() {
  local input=$1
  shift
  local now before=""
  now=$(measure "$tool" "$@")
  [ -n "$earlier" ] && before=$(measure "$earlier" "$@")
  awk -v input="$input" -v command="$1" -v now="$now" -v before="$before" 'BEGIN {
    split(now, n, " "); split(before, b, " ")
    line = sprintf("%-9s %-10s status %-2s %8s s %6s MiB", input, command, n[1], n[2], n[3])
    if (before != "") {
      line = line sprintf("   earlier: status %-2s %8s s %6s MiB", b[1], b[2], b[3])
      if (n[2] + 0 > 0 && b[2] !~ />/) line = line sprintf("   CPU %.1fx", b[2] / n[2])
      if (b[2] ~ />/) line = line "   CPU >" sprintf("%.0fx", substr(b[2], 2) / (n[2] + 0.01))
      if (n[3] + 0 > 0 && b[3] != "-") line = line sprintf(", memory %.1fx", b[3] / n[3])
    }
    print line }'
}

echo "inputs of $size MB; CPU is user + system time, memory the peak resident set"
for input in lengths warnings; do
  dir="$work/$input"
  run "$input" check "$dir/Percorso_linea.txt" "$dir/Percorso_Treno-.txt"
  run "$input" compile "$dir/Percorso_linea.txt" "$dir/Percorso_Treno-.txt" -o "$work/out"
  run "$input" view "$dir/Percorso_linea.txt" "$dir/Percorso_Treno-.txt" -o "$work/out/v.html"
done
run plan dump "$work/plan/Percorso_linea.dat" --kind plan -o "$work/out/plan.txt"
run plan view "$work/plan" -o "$work/out/v.html"
run plan map "$work/plan" -o "$work/out/m.svg"
run plan decompile "$work/plan" -o "$work/out"
run plan diff "$work/plan" "$work/good"
