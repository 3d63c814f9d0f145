#!/usr/bin/env bash
# Batch mode writes each case as it is computed and keeps nothing of it: CASES
# flat-bottom cases (six report lines each) must all come out, while the peak
# resident memory of tarnwick-calc stays under LIMIT_KB.
set -euo pipefail
calc=$1
cases=$2
limit_kb=$3
peak_file=$(mktemp)
trap 'rm -f "$peak_file"' EXIT

lines=$(awk -v n="$cases" 'BEGIN {
          for (k = 0; k < n; k++) printf "%g,%g,0.025,1000,%g\n", 1 + k % 7, (k % 4) * 0.5, 0.5 + k % 50
        }' | /usr/bin/time -f '%M' -o "$peak_file" "$calc" Form21 - | wc -l)
peak_kb=$(tail -n 1 "$peak_file")
echo "$cases cases: $lines lines, peak resident memory $peak_kb kB (limit $limit_kb kB)"
if [ "$lines" -ne $((cases * 6)) ]; then
  echo "expected $((cases * 6)) lines"
  exit 1
fi
[ "$peak_kb" -lt "$limit_kb" ]
