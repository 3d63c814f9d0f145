#!/usr/bin/env bash
# Projects through tarnwick-calc: cases saved from three windows (one a design,
# one a canal at three discharges)
# and read back print exactly what the direct presses printed; every kind of bad
# file is refused with its place and left as it was; a save that cannot be
# written ends with status 3 and leaves the old file whole; standard input that
# cannot be read is a usage error. A canal kept in a project survives a save and
# runs under --canal as the example file it came from.
set -uo pipefail
calc=$1
example=$(cd "$(dirname "$0")/../.." && pwd)/examples/canal.json
dir=$(mktemp -d)
small="$dir/small"
cleanup() { mountpoint -q "$small" && umount "$small"; rm -rf "$dir"; }
trap cleanup EXIT
fail() { echo "check_project: $*"; exit 1; }
cd "$dir" || exit 1

form21=(Form21 2 1.5 0.025 1000 5)
form24=(Form24 '' 1 0.014 1000 1.5)
design=(Form35 --solve Text1 --discharge 1.2 '' 1 0.014 1000 0.6)
flows=(Form21 --increased auto --least 1.5 --freeboard 0.5 --velocity-max 3 2 1.5 0.025 1000 5)
for press in form21 form24 design flows; do
  declare -n argv=$press
  "$calc" "${argv[@]}" >>direct.txt
  "$calc" --json "${argv[@]}" >>direct.json
  "$calc" --checks "${argv[@]}" >>direct.checks
  "$calc" --save p.json "${argv[@]}" >/dev/null || fail "saving $press: status $?"
done
"$calc" --project p.json >read.txt || fail "--project: status $?"
cmp -s direct.txt read.txt || fail "the project's cases differ from the direct presses"
"$calc" --project p.json --json >read.json
cmp -s direct.json read.json || fail "the project's JSON differs from the direct presses'"
"$calc" --project p.json --checks >read.checks
cmp -s direct.checks read.checks || fail "the project's checks differ from the direct presses'"
python3 - p.json <<'PY' || fail "p.json is not the documented schema"
import json, sys
p = json.load(open(sys.argv[1]))
assert p["format"] == "tarnwick-project" and p["version"] == 1
assert [c["window"] for c in p["cases"]] == ["Form21", "Form24", "Form35", "Form21"], p["cases"]
assert p["cases"][2]["design"] == {"mode": "solve", "box": "Text1", "discharge": 1.2, "answer": 0}
assert p["cases"][3]["flows"] == {"increased": "auto", "least": 1.5, "freeboard": 0.5,
                                  "silt_coefficient": 0.64, "bed_level": 0.0}, p["cases"][3]
assert "flows" not in p["cases"][0]
assert [w["window"] for w in p["windows"]] == ["Form21", "Form24", "Form35"]
PY

# A stored report that the program now computes otherwise is named, case by case.
sed 's/正常水深H= 1.24598/正常水深H= 1.3/' p.json >newer.json
"$calc" --project newer.json >newer.txt 2>newer.err || fail "newer.json: status $?"
grep -qF "第 1 个算例" newer.err || fail "the changed case is not named: $(cat newer.err)"
cmp -s direct.txt newer.txt || fail "the recomputed cases are not printed"

# A canal kept in the project: opened, kept through a save, and the same canal to --canal.
python3 - p.json "$example" canal-project.json <<'PY' || fail "cannot add a canal"
import json, sys
p = json.load(open(sys.argv[1]))
p["canals"] = [json.load(open(sys.argv[2]))]
json.dump(p, open(sys.argv[3], "w"), ensure_ascii=False)
PY
"$calc" --save canal-project.json "${form21[@]}" >/dev/null || fail "saving beside a canal: $?"
python3 - canal-project.json kept-canal.json <<'PY' || fail "the canal was not kept"
import json, sys
json.dump(json.load(open(sys.argv[1]))["canals"][0], open(sys.argv[2], "w"), ensure_ascii=False)
PY
"$calc" --canal "$example" >canal-direct.txt
"$calc" --canal kept-canal.json >canal-kept.txt || fail "--canal on the kept canal: $?"
cmp -s canal-direct.txt canal-kept.txt || fail "the kept canal computes otherwise"
python3 - canal-project.json bad-canal.json <<'PY' || fail "cannot spoil the canal"
import json, sys
p = json.load(open(sys.argv[1]))
p["canals"][0]["reaches"][0]["window"] = "Form32"
json.dump(p, open(sys.argv[2], "w"), ensure_ascii=False)
PY

# A profile and a canal saved from the command line: the case keeps its profile,
# the canal runs as the file it came from.
profile=(Form21 --profile --length 500 --control 2.7 3.6 0 0.025 714.2857 3.6)
"$calc" --save kept.json "${profile[@]}" >/dev/null || fail "--save of a profile: $?"
"$calc" --save kept.json --canal "$example" >/dev/null || fail "--save of a canal: $?"
python3 - kept.json saved-canal.json <<'PY' || fail "the profile or the canal was not kept"
import json, sys
p = json.load(open(sys.argv[1]))
assert p["cases"][0]["profile"]["length"] == 500 and p["cases"][0]["profile"]["control"] == 2.7
json.dump(p["canals"][0], open(sys.argv[2], "w"), ensure_ascii=False)
PY
"$calc" --canal saved-canal.json >canal-saved.txt || fail "--canal on the saved canal: $?"
"$calc" --canal "$example" | cmp -s - canal-saved.txt || fail "the saved canal computes otherwise"

# Bad files: each refused with the file and the place, and not changed by a save.
printf '{"format":"tarnwick-project","version":2,"cases":[]}' >newer-version.json
printf '{"format":"other","version":1,"cases":[]}' >unknown-format.json
head -c 300 p.json >truncated.json
printf 'not json\n' >not-json.json
sed 's/"Form24"/"Form99"/' p.json >unknown-window.json
sed 's/"boxes":\["2",/"boxes":["2","9","9","9","9","9",/' p.json >too-many-boxes.json
sed 's/"boxes":\["2",/"boxes":[2,/' p.json >number-box.json
sed 's/"least":1.5/"least":0/' p.json >flows-no-least.json
while read -r file place; do
  cp "$file" "$file.before"
  "$calc" --project "$file" >/dev/null 2>err
  status=$?
  [ $status -eq 2 ] || fail "$file: --project status $status"
  grep -qF "$file: " err && grep -qF "$place" err || fail "$file: message '$(cat err)' lacks '$place'"
  for run in "${form21[*]}" "--canal $example" "${profile[*]}"; do
    read -r -a words <<<"$run"
    "$calc" --save "$file" "${words[@]}" >/dev/null 2>err
    status=$?
    [ $status -eq 2 ] || fail "$file: --save $run: status $status"
    cmp -s "$file" "$file.before" || fail "$file was changed by --save $run"
  done
done <<'TABLE'
newer-version.json 文件头: 版本 2
unknown-format.json 文件头: 不是 Tarnwick 项目文件
truncated.json 列: 文件不完整（在此处中断）
not-json.json 第 1 行第 2 列: 不是有效的 JSON
unknown-window.json 第 2 个算例: 未知的窗口“Form99”
too-many-boxes.json 第 1 个算例: 10 个输入框文本
number-box.json 第 1 个算例: “boxes”中有不是文本的项
flows-no-least.json 第 4 个算例: 流量组合与窗口不符
bad-canal.json 第 1 个渠道: reach 1: "Form32" is not a depth window
TABLE

# A save that cannot be written: a full disk (a 64 KiB tmpfs where mounting is
# allowed; elsewhere a file-size limit of 8 KiB stands in for it) and a link to
# a device. Status 3, the old file byte for byte, nothing left beside it.
mkdir -p "$small"
if mount -t tmpfs -o size=64k tmpfs "$small" 2>/dev/null; then
  limit=unlimited
else
  limit=8
fi
cp p.json "$small/p.json"
(
  trap '' XFSZ
  ulimit -f "$limit"
  yes '2,1.5,0.025,1000,5' | head -n 400 | "$calc" --save "$small/p.json" Form21 - >/dev/null 2>err
)
status=$?
[ $status -eq 3 ] || fail "a save to a full disk: status $status"
cmp -s p.json "$small/p.json" || fail "a save to a full disk changed the old file"
[ "$(ls -A "$small")" = "p.json" ] || fail "a failed save left $(ls -A "$small")"
ln -s /dev/full full.json
for run in "${form21[*]}" "--canal $example" "${profile[*]}"; do
  read -r -a words <<<"$run"
  "$calc" --save full.json "${words[@]}" >/dev/null 2>err
  status=$?
  [ $status -eq 3 ] || fail "a save of $run through a link to /dev/full: status $status"
done

# Standard input that cannot be read: a folder, a closed descriptor.
"$calc" Form21 - <"$dir" >/dev/null 2>err
status=$?
[ $status -eq 2 ] || fail "batch input from a folder: status $status"
"$calc" Form21 - <&- >/dev/null 2>err
status=$?
[ $status -eq 2 ] || fail "batch input closed: status $status"
echo "check_project: passed"
