#!/usr/bin/env bash
# Runs one golden case of tarnwick-calc and compares exit status and output.
# A case file holds, in order: comment lines starting with '#', one or more
# "args: ..." lines (bash words, so "1 000" stays one box text; every command line
# must give the same result), "exit: N", optionally "stdout: full" or
# "stdout: closed" (standard output to /dev/full or closed; the expected output is
# then empty), optionally "stdin:" followed by the input lines, optionally
# "stderr:" followed by the expected standard error, and "output:" followed by the
# expected output, to the end. Without a "stderr:" part standard error is not
# compared.
set -u
calc=$1
case_file=$2

want_exit=$(grep -m1 '^exit: ' "$case_file" | sed 's/^exit: //')
stdout_to=$(grep -m1 '^stdout: ' "$case_file" | sed 's/^stdout: //')
stdin_text=$(awk '/^stdin:$/{on=1; next} /^(stderr|output):$/{exit} on' "$case_file")
expected=$(mktemp)
expected_err=$(mktemp)
actual=$(mktemp)
actual_err=$(mktemp)
trap 'rm -f "$expected" "$expected_err" "$actual" "$actual_err"' EXIT
awk 'found{print} /^output:$/{found=1}' "$case_file" > "$expected"
awk '/^stderr:$/{on=1; next} /^output:$/{exit} on' "$case_file" > "$expected_err"

run_calc() {
  case "$stdout_to" in
    full) "$calc" "$@" > /dev/full 2> "$actual_err" ;;
    closed) "$calc" "$@" >&- 2> "$actual_err" ;;
    *) "$calc" "$@" > "$actual" 2> "$actual_err" ;;
  esac
}

if ! grep -q '^args: ' "$case_file"; then
  echo "$case_file: no args line"
  exit 1
fi
status=0
while IFS= read -r args_line; do
  eval "argv=($args_line)"
  : > "$actual"
  if grep -q '^stdin:$' "$case_file"; then
    printf '%s\n' "$stdin_text" | run_calc "${argv[@]}"
  else
    run_calc "${argv[@]}" < /dev/null
  fi
  got_exit=$?
  if [ "$got_exit" != "$want_exit" ]; then
    echo "args: $args_line: exit status $got_exit, expected $want_exit"
    status=1
  fi
  if ! diff -u "$expected" "$actual"; then
    echo "args: $args_line: standard output differs"
    status=1
  fi
  if grep -q '^stderr:$' "$case_file" && ! diff -u "$expected_err" "$actual_err"; then
    echo "args: $args_line: standard error differs"
    status=1
  fi
done < <(grep '^args: ' "$case_file" | sed 's/^args: //')
exit $status
