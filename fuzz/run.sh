#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# run.sh BIN SECONDS [NAME...]: runs the fuzz targets BIN/fuzz_NAME (every one built, unless
# named), one after another, each for SECONDS, and prints per target the inputs executed, the
# coverage reached (libFuzzer's cov: code edges, ft: features) and the findings. A target
# starts from its corpus in fuzz/corpus/NAME/ and what earlier runs added in BIN/../work/NAME/;
# findings (crash-, leak-, timeout-, oom- files) land in BIN/../findings/NAME/. Exits 1 when
# anything was found.
set -euo pipefail

bin=$(cd "$1" && pwd)
seconds=$2
shift 2
here=$(cd "$(dirname "$0")" && pwd)
work=$(dirname "$bin")

names=("$@")
if [ ${#names[@]} -eq 0 ]; then
  for program in "$bin"/fuzz_*; do
    [ -x "$program" ] && names+=("${program##*/fuzz_}")
  done
fi
if [ ${#names[@]} -eq 0 ]; then
  echo "run.sh: no fuzz targets in $bin" >&2
  exit 2
fi

# AddressSanitizer keeps up to 256 MB of freed memory aside to catch late uses; that alone would
# reach the memory limit, which is meant for the parsers' own growth.
export ASAN_OPTIONS=${ASAN_OPTIONS:-quarantine_size_mb=64}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1}

found=0
printf '%-12s %12s %8s %8s %9s  %s\n' target executions cov ft findings log
for name in "${names[@]}"; do
  corpus=$work/work/$name
  findings=$work/findings/$name
  log=$work/logs/$name.log
  mkdir -p "$corpus" "$findings" "$(dirname "$log")"
  dict=()
  [ -f "$here/dict/$name.dict" ] && dict=(-dict="$here/dict/$name.dict")
  # New inputs go to the first folder, the work folder; the repository's corpus stays as it is.
  "$bin/fuzz_$name" "$corpus" "$here/corpus/$name" "${dict[@]}" \
    -max_total_time="$seconds" -timeout=1 -rss_limit_mb=256 -detect_leaks=1 -max_len=8192 \
    -artifact_prefix="$findings/" -print_final_stats=1 >"$log" 2>&1 || true
  executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  coverage=$(grep -o 'cov: [0-9]* ft: [0-9]*' "$log" | tail -n 1 || true)
  count=$(find "$findings" -type f | wc -l)
  [ "$count" -gt 0 ] && found=1
  printf '%-12s %12s %8s %8s %9s  %s\n' "$name" "${executions:-?}" \
    "$(echo "$coverage" | awk '{print $2}')" "$(echo "$coverage" | awk '{print $4}')" "$count" "$log"
done
if [ "$found" -ne 0 ]; then
  echo "Findings: turn each into an input fuzz/corpus/NAME/regress-WHAT and a fix."
  find "$work/findings" -type f | sort
fi
exit "$found"
