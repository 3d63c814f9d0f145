#!/usr/bin/env bash
# Runs one golden case of tarnwick-calc and compares exit status and output.
# A case file holds, in order: comment lines starting with '#', "args: ..." (bash
# words, so "1 000" stays one box text), "exit: N", optionally "stdin:" followed by
# the input lines, and "output:" followed by the expected output, to the end.
set -u
calc=$1
case_file=$2

args_line=$(grep -m1 '^args: ' "$case_file" | sed 's/^args: //')
want_exit=$(grep -m1 '^exit: ' "$case_file" | sed 's/^exit: //')
eval "argv=($args_line)"

stdin_text=$(awk '/^stdin:$/{on=1; next} /^output:$/{exit} on' "$case_file")
expected=$(mktemp)
actual=$(mktemp)
trap 'rm -f "$expected" "$actual"' EXIT
awk 'found{print} /^output:$/{found=1}' "$case_file" > "$expected"

if grep -q '^stdin:$' "$case_file"; then
  printf '%s\n' "$stdin_text" | "$calc" "${argv[@]}" > "$actual"
else
  "$calc" "${argv[@]}" < /dev/null > "$actual"
fi
got_exit=$?

status=0
if [ "$got_exit" != "$want_exit" ]; then
  echo "exit status $got_exit, expected $want_exit"
  status=1
fi
if ! diff -u "$expected" "$actual"; then
  status=1
fi
exit $status
