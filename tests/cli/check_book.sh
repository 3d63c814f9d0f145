#!/usr/bin/env bash
# The calculation book through tarnwick-calc --book and tarnwick-book: a
# flat-bottom and a city-gate case as PDF and ODT. The book holds exactly the
# cases printed, with the limits they were judged against; a book that cannot be
# written whole ends with status 3 and leaves the old file as it was; a record
# stream that stops short of its end line writes no book; a book of 50 cases
# stays within a bound of memory that one of 5 000 must keep too.
set -euo pipefail
calc=$1
book=$(dirname "$calc")/tarnwick-book
dir=$(mktemp -d)
mounted=""
cleanup() {
  if [ -n "$mounted" ]; then umount "$mounted" || true; fi
  rm -rf "$dir"
}
trap cleanup EXIT
fail() { echo "check_book: $*"; exit 1; }
# The character data of an ODT's content.xml, which must parse; one line a paragraph.
odt_text() {
  python3 - "$1" <<'PY'
import sys, zipfile, xml.dom.minidom
with zipfile.ZipFile(sys.argv[1]) as z:
    assert z.testzip() is None, "a damaged entry"
    assert z.namelist()[0] == "mimetype" and z.read("mimetype") == b"application/vnd.oasis.opendocument.text"
    assert any(n.startswith("Pictures/") for n in z.namelist()), "no pictures"
    doc = xml.dom.minidom.parseString(z.read("content.xml"))
def text(node):
    if node.nodeType == node.TEXT_NODE: return node.data
    if node.nodeName == "text:s": return " " * int(node.getAttribute("text:c") or 1)
    if node.nodeName == "text:tab": return "\t"
    return "".join(text(c) for c in node.childNodes)
for p in doc.getElementsByTagName("text:p"): print(text(p))
PY
}
# The input table (输入项) of the first case of an ODT: the value cell of each row.
odt_boxes() {
  python3 - "$1" <<'PY'
import sys, zipfile, xml.dom.minidom
doc = xml.dom.minidom.parseString(zipfile.ZipFile(sys.argv[1]).read("content.xml"))
def cells(row):
    return ["".join(n.data for p in c.getElementsByTagName("text:p") for n in p.childNodes
                    if n.nodeType == n.TEXT_NODE) for c in row.getElementsByTagName("table:table-cell")]
table = next(t for t in doc.getElementsByTagName("table:table")
             if cells(t.getElementsByTagName("table:table-row")[0])[0] == "输入项")
for row in table.getElementsByTagName("table:table-row")[1:]:
    cell = row.getElementsByTagName("table:table-cell")[1]
    print("".join(n.data for p in cell.getElementsByTagName("text:p") for n in p.childNodes
                  if n.nodeType == n.TEXT_NODE))
PY
}
book_text() { if [[ $1 == *.pdf ]]; then pdftotext "$1" -; else odt_text "$1"; fi; }
has() { grep -qF -- "$2" <<<"$(book_text "$1")" || fail "$(basename "$1") lacks '$2'"; }
count() { grep -cF -- "$2" <<<"$(book_text "$1")" || true; }

# Worked cases, each booked as PDF and ODT.
for fmt in pdf odt; do
  "$calc" --book "$dir/flat.$fmt" --name "一号干渠设计" --lining medium-loam \
    Form21 2 1.5 0.025 1000 5 >/dev/null
  for want in "一号干渠设计" "水力计算书" "平底梯形渠、矩形渠均匀流水深计算成果表" \
              "流态：缓流（Fr<0.80） 满足" "中壤土不冲流速" "正常水深H= 1.24598" \
              "W = (B + M·h)·h"; do
    has "$dir/flat.$fmt" "$want"
  done
  # A line break typed in a box: one case printed, one case booked.
  "$calc" Form21 --book "$dir/newline.$fmt" $'2\n' 1.5 0.025 1000 5 >"$dir/out"
  [ "$(grep -c 计算成果表 "$dir/out")" = "$(count "$dir/newline.$fmt" 计算成果表)" ] ||
    fail "newline.$fmt does not book the cases printed"
  [ "$(count "$dir/newline.$fmt" 计算成果表)" = 1 ] || fail "newline.$fmt: not one case"
  has "$dir/newline.$fmt" "$(grep -o '正常水深H= *[0-9.]*' "$dir/out" | head -1)"
  # The limit as given, not rounded on its way to the book: 1.419 m < 1.4185814 fails.
  "$calc" Form23 --checks --clearance-height 1.4185814 --book "$dir/limit.$fmt" \
    3 2 1.7320508 120 0 0.014 1000 8 >"$dir/out" || [ $? -eq 1 ]
  line=$(grep -F "净空高度=" "$dir/out" | sed "s/^ *//")
  grep -qF "不满足" <<<"$line" || fail "stdout does not fail the clearance height: $line"
  has "$dir/limit.$fmt" "$line"
done
# A tab typed in a box stays in its box: each row of the input table holds its own box.
"$calc" Form21 --book "$dir/tab.odt" $'2\t' 1.5 0.025 1000 5 >/dev/null || [ $? -eq 1 ]
[ "$(odt_boxes "$dir/tab.odt" | tr '\n' ' ')" = "2 1.5 0.025 1/1000 5 " ] ||
  fail "tab.odt: the boxes moved: $(odt_boxes "$dir/tab.odt" | tr '\n' ' ')"
# A batch booked with a refused case among its reports: the reports only.
printf '3\t2\t1.7320508\t120\t0\t0.014\t1000\t8\n3\t2\t1.7320508\t120\t0\t0.014\t1000\t20\n' |
  "$calc" --book "$dir/gate.pdf" --name "城门洞隧洞设计" Form23 - >/dev/null || [ $? -eq 1 ]
has "$dir/gate.pdf" "净空面积比=44.631%（要求≥15.000%，SL 279"
[ "$(count "$dir/gate.pdf" 计算成果表)" = 1 ] || fail "gate.pdf books a refused case"

# The record stream: one Form21 record, then the end line.
record='{"window": "Form21", "boxes": ["2", "1.5", "0.025", "1000", "5"]}'
printf '%s\n{"end": 1}\n' "$record" | "$book" "$dir/stream.pdf" "流" || fail "a whole stream failed"
has "$dir/stream.pdf" "正常水深H= 1.24598"
cp "$dir/stream.pdf" "$dir/old.pdf"
# Given up (no end line) or short of its count: status 3, no book, the old one kept.
for input in "$record" "$record"$'\n{"end": 2}'; do
  status=0
  printf '%s\n' "$input" | "$book" "$dir/new.pdf" "流" 2>/dev/null || status=$?
  [ $status -eq 3 ] || fail "a stream stopped short ended with $status"
  printf '%s\n' "$input" | "$book" "$dir/old.pdf" "流" 2>/dev/null && fail "old.pdf overwritten"
  [ ! -e "$dir/new.pdf" ] || fail "a book written from a stream stopped short"
  cmp -s "$dir/stream.pdf" "$dir/old.pdf" || fail "old.pdf changed by a stream stopped short"
done
[ -z "$(ls -A "$dir" | grep '^\.')" ] || fail "a stream stopped short left: $(ls -A "$dir")"

# A project file booked; a stored report that differs from now is said in its case.
"$calc" --save "$dir/p.json" Form21 2 1.5 0.025 1000 5 >/dev/null
python3 - "$dir/p.json" "$dir/changed.json" <<'PY'
import json, sys
p = json.load(open(sys.argv[1]))
p["cases"][0]["report"][-1] += "0"
json.dump(p, open(sys.argv[2], "w"), ensure_ascii=False)
PY
"$book" "$dir/p.pdf" "项目" --project "$dir/p.json" 2>"$dir/err"
has "$dir/p.pdf" "正常水深H= 1.24598"
[ ! -s "$dir/err" ] || fail "an unchanged project said: $(cat "$dir/err")"
"$book" "$dir/changed.odt" "项目" --project "$dir/changed.json" 2>"$dir/err"
grep -qF "第 1 个算例：保存的计算成果与现在计算的不同" "$dir/err" || fail "no difference said"
has "$dir/changed.odt" "注意：保存的计算成果与现在计算的不同"
echo '{"format": "tarnwick-project", "version": 1, "cases": [' >"$dir/bad.json"
status=0
"$book" "$dir/bad.pdf" "项目" --project "$dir/bad.json" 2>"$dir/err" || status=$?
[ $status -eq 2 ] && grep -qF "bad.json: 第 " "$dir/err" && [ ! -e "$dir/bad.pdf" ] ||
  fail "a truncated project file was not refused (status $status)"

# A book of one case of each of the ten families, with a cover: the cover's fields,
# the sources of the checks applied and no other, "第 X 页 共 N 页" on every page,
# every symbol of chapter 4 defined, and no report cut by a page.
ten=(
  "Form31 1 0.5 0.014 1000 1" "Form21 2 1.5 0.025 1000 5" "Form33 1 0.014 1000 1.5"
  "Form12 4 1 2 0.025 6 2 0.03 6 2 0.03 2000 3" "Form23 3 2 1.7320508 120 0 0.014 1000 8"
  "Form35 _ 1 0.014 1000 1" "Form36 0 1 180 2 30 2 0.014 1000 1"
  "Form37 0 1 90 0.5 45 2 0.014 1000 0.5" "Form27 1 0.014 1000 1" "Form28 2 2 0.014 1000 1")
for row in "${ten[@]}"; do
  read -r -a words <<<"$row"
  "$calc" --save "$dir/ten.json" --name "十族工程" "${words[@]/#_/}" >/dev/null || [ $? -eq 1 ]
done
python3 - "$dir/ten.json" <<'PY'
import json, sys
p = json.load(open(sys.argv[1]))
p["cover"] = {"number": "SK-017", "stage": "初步设计", "organisation": "某设计院", "computed_by": "张三"}
json.dump(p, open(sys.argv[1], "w"), ensure_ascii=False)
PY
for fmt in pdf odt; do
  "$book" "$dir/ten.$fmt" "" --project "$dir/ten.json" --cover checked_by=李四
  for want in "十族工程" "SK-017" "初步设计" "某设计院" "张三" "李四" "____________" \
              "设计依据" "SL 279—2016" "GB 50014—2021" "Blalock" "结论"; do
    has "$dir/ten.$fmt" "$want"
  done
  # A discharge window prints no depth search, a depth window does.
  has "$dir/ten.$fmt" "求流量（已知 h）"
  has "$dir/ten.$fmt" "求水深（已知 Q）"
done
# Only the sources applied: a canal alone cites neither the tunnel nor the sewer rule.
# The cover's fields given to tarnwick-calc, one --cover each, reach the book.
"$calc" --book "$dir/canal.pdf" --cover number=X-1 --cover approved_by=赵六 \
  Form21 2 1.5 0.025 1000 5 >/dev/null
has "$dir/canal.pdf" "X-1"
has "$dir/canal.pdf" "赵六"
for absent in "SL 279" "GB 50014"; do
  [ "$(count "$dir/canal.pdf" "$absent")" = 0 ] || fail "canal.pdf cites $absent"
done
pages=$(pdfinfo "$dir/ten.pdf" | awk '/^Pages:/ {print $2}')
for ((k = 1; k <= pages; k++)); do
  pdftotext -f $k -l $k "$dir/ten.pdf" - | grep -qF "第 $k 页 共 $pages 页" || fail "page $k: no '第 $k 页 共 $pages 页'"
done
# The contents give the page each chapter stands on.
for chapter in "1 计算目的" "5 计算成果" "7 结论"; do
  pattern="^ *${chapter/ / +}"
  listed=$(pdftotext -f 2 -l 3 -layout "$dir/ten.pdf" - | tr -d '\f' | grep -E "$pattern" |
    head -1 | awk '{print $NF}' || true)
  [ -n "$listed" ] || fail "contents: no '$chapter'"
  pdftotext -f "$listed" -l "$listed" "$dir/ten.pdf" - | grep -qE "$pattern" ||
    fail "contents: '$chapter' is not on page $listed"
done
# Each report's first and last line on one page, and on that page alone.
python3 - "$dir/ten.json" "$dir/ten.pdf" "$pages" <<'PY'
import json, subprocess, sys
cases = json.load(open(sys.argv[1]))["cases"]
pages = [subprocess.run(["pdftotext", "-f", str(k), "-l", str(k), sys.argv[2], "-"],
                        capture_output=True, text=True).stdout for k in range(1, int(sys.argv[3]) + 1)]
squeeze = lambda s: "".join(s.split())
pages = [squeeze(p) for p in pages]
for n, case in enumerate(cases, 1):
    lines = [squeeze(l) for l in case["report"] if l.strip()]
    first, last = lines[0], lines[-1]
    on = lambda text: [k + 1 for k, p in enumerate(pages) if text in p]
    assert len(on(first)) == 1 and on(first) == on(last), \
        f"case {n}: first line on pages {on(first)}, last on {on(last)}"
PY
# Every symbol of a formula in chapter 4 is defined: in the common table or in
# its family's table (the ODT keeps the tables' cells apart).
python3 - "$dir/ten.odt" <<'PY'
import re, sys, zipfile, xml.dom.minidom
doc = xml.dom.minidom.parseString(zipfile.ZipFile(sys.argv[1]).read("content.xml"))
body = doc.getElementsByTagName("office:text")[0]
def text(n):
    if n.nodeName == "text:s": return " " * int(n.getAttribute("text:c") or 1)
    return n.data if n.nodeType == n.TEXT_NODE else "".join(text(c) for c in n.childNodes)
functions = {"sin", "cos", "arccos", "arcsin", "ln", "π", "Q1", "Σ"}
common, family, formulas, families, inside = set(), None, [], 0, False
undefined = []
def check():
    for f in formulas:
        for token in re.findall(r"[A-Za-zα-ωΑ-Ω][A-Za-z0-9]*", f.replace("Σ", " ")):
            if token in functions or token in common or token in family: continue
            undefined.append(f"{token} in: {f.strip()}")
for node in body.childNodes:
    t = text(node)
    chapter = node.nodeName == "text:p" and node.getAttribute("text:style-name") == "Case"
    if chapter and t.startswith("4  计算方法"): inside = True; continue
    if chapter and t.startswith("5  计算成果"): break
    if not inside: continue
    if node.nodeName == "text:p" and re.match(r"4\.\d+  ", t):
        if family is not None: check()
        family, formulas, families = set(), [], families + 1
    elif node.nodeName == "text:p" and "=" in t and family is not None:
        # The words of a formula line are Chinese; its symbols are Latin or Greek.
        formulas.append(re.sub(r"（[^）]*）", "", t))
    elif node.nodeName == "table:table":
        symbols = set()
        for row in node.getElementsByTagName("table:table-row")[1:]:
            first = text(row.getElementsByTagName("table:table-cell")[0])
            symbols.update(s.strip() for s in first.split(","))
        (common if family is None else family).update(symbols)
check()
assert families == 10, f"{families} families in chapter 4"
assert not undefined, "undefined symbols:\n" + "\n".join(undefined)
PY

# Profiles and canals: a case's profile (--profile --book), a canal of three
# reaches with a drop and a tunnel (--canal --book), the profile stored on a case
# of a project, and a case with its three discharges. Each row: the book, then
# the texts it must hold (the heading block, station rows with their units, the
# drawing's title, the bank and crown levels, the sources).
examples=$(dirname "$0")/../../examples
profile=(--profile --length 500 --control 2.7 --step 100 Form21 100000 0 0.025 714.285714285714 360000)
"$calc" --save "$dir/prof.json" Form21 100000 0 0.025 714.285714285714 360000 >/dev/null
python3 - "$dir/prof.json" <<'PY'
import json, sys
p = json.load(open(sys.argv[1]))
p["cases"][0]["profile"] = {"length": 500, "step": 100, "control": 2.7, "bed": 0}
json.dump(p, open(sys.argv[1], "w"), ensure_ascii=False)
PY
for fmt in pdf odt; do
  "$calc" --book "$dir/profile.$fmt" "${profile[@]}" >/dev/null
  "$calc" --canal "$examples/canal_banks.json" --book "$dir/canalbook.$fmt" >/dev/null
  "$book" "$dir/stored.$fmt" "项目" --project "$dir/prof.json"
  "$calc" --book "$dir/flows.$fmt" --increased auto --least 1 Form21 2 1.5 0.025 1000 5 >/dev/null
  while IFS='|' read -r file want; do
    has "$dir/$file.$fmt" "$want"
  done <<'ROWS'
profile|水面线类型: M1
profile|正常水深hn= 1.69322
profile|500.00
profile|2.1685
profile|水深 h(m)
profile|水面线图
profile|Chow V. T., Open-Channel Hydraulics
stored|水面线类型: M1
stored|2.1685
stored|水面线图
canalbook|渠段: 上段
canalbook|1300.00
canalbook|105.7812
canalbook|摩阻坡降 Sf
canalbook|渠顶高程= 106.5741
canalbook|洞顶高程= 105.2
canalbook|渠顶高程 103.908 m
canalbook|中小型渠道安全超高
canalbook|水面线图
flows|流量组合（设计/加大/最小流量）
flows|加大流量
flows|中小型渠道安全超高
flows|不淤流速 V不淤
flows|最小流量不淤流速满足要求
ROWS
done
# A project's canals are booked after its cases, by --project and by the book
# writer reading the project itself: the case's report, then the canal's profile
# with its bank levels at the increased discharge (the file's default).
"$calc" --save "$dir/withcanal.json" Form21 2 1.5 0.025 1000 5 >/dev/null
python3 - "$dir/withcanal.json" "$examples/canal.json" <<'PY'
import json, sys
p = json.load(open(sys.argv[1]))
p["canals"] = [json.load(open(sys.argv[2]))]
json.dump(p, open(sys.argv[1], "w"), ensure_ascii=False)
PY
"$calc" --project "$dir/withcanal.json" --book "$dir/projcanal.pdf" >/dev/null
"$book" "$dir/bookcanal.pdf" "项目" --project "$dir/withcanal.json"
for file in projcanal bookcanal; do
  for want in "正常水深H= 1.24598" "渠道水面线 1" "渠段: 跌坎下段" "渠顶高程=" "加大流量Q加大="; do
    has "$dir/$file.pdf" "$want"
  done
  # The canal after the case: its heading in 5 计算成果 follows the case's report.
  text=$(pdftotext "$dir/$file.pdf" -)
  report=$(grep -nF "正常水深H= 1.24598" <<<"$text" | tail -1 | cut -d: -f1)
  reach=$(grep -nF "渠段: 跌坎下段" <<<"$text" | tail -1 | cut -d: -f1)
  [ "$report" -lt "$reach" ] || fail "$file.pdf: the canal is not after the case"
done
# The heading block of a profile is never cut by a page: its first and last line
# on one page of the PDF.
page_of() {
  local k n
  n=$(pdfinfo "$1" | awk '/^Pages:/ {print $2}')
  for ((k = 1; k <= n; k++)); do
    if grep -qF -- "$2" <<<"$(pdftotext -f $k -l $k "$1" -)"; then echo $k; fi
  done
}
first=$(page_of "$dir/profile.pdf" "渠段长L= 500")
last=$(page_of "$dir/profile.pdf" "距正常水深1mm以内")
[ -n "$first" ] && [ "$first" = "$last" ] || fail "profile.pdf: heading on pages '$first' and '$last'"
# A station table longer than a page follows its caption on the same page and
# runs on page by page: no page is left with its foot alone.
"$calc" --book "$dir/long.pdf" --profile --length 500 --control 2.7 --step 5 \
  Form21 100000 0 0.025 714.285714285714 360000 >/dev/null || fail "long profile book: $?"
[ "$(page_of "$dir/long.pdf" "水面线计算表")" = "$(page_of "$dir/long.pdf" "距离 x(m)")" ] ||
  fail "long.pdf: the station table is not on its caption's page"
pages=$(pdfinfo "$dir/long.pdf" | awk '/^Pages:/ {print $2}')
for ((k = 1; k <= pages; k++)); do
  [ "$(pdftotext -f $k -l $k "$dir/long.pdf" - | grep -cv '^\s*$')" -gt 1 ] ||
    fail "long.pdf: page $k holds nothing but its foot"
done
# Failed writes of these books end with status 3.
for run in "--canal $examples/canal_banks.json" "${profile[*]}"; do
  status=0
  # shellcheck disable=SC2086
  "$calc" --book "$dir/missing/x.pdf" $run >/dev/null 2>&1 || status=$?
  [ $status -eq 3 ] || fail "an unwritable book of '$run' ended with $status"
done

# A book that cannot be written whole: status 3, the old file byte for byte, no
# file left beside it. A small tmpfs is a full disk; where mounting is not allowed,
# a file size limit stands in for it (SIGXFSZ ignored, so the write fails instead).
full=$dir/full
mkdir "$full"
if [ "$(id -u)" -eq 0 ] && mount -t tmpfs -o size=64k tmpfs "$full" 2>/dev/null; then
  mounted=$full
  limit=unlimited
else
  echo "check_book: no tmpfs could be mounted; a file size limit of 64 KiB stands in"
  limit=64
fi
printf 'the old book\n' >"$full/old.bytes"
for fmt in pdf odt; do
  cp "$full/old.bytes" "$full/book.$fmt"
  status=0
  (trap '' XFSZ; ulimit -f "$limit"
   "$calc" --book "$full/book.$fmt" Form21 2 1.5 0.025 1000 5 >/dev/null 2>&1) || status=$?
  [ $status -eq 3 ] || fail "a book to a full disk ended with $status"
  cmp -s "$full/old.bytes" "$full/book.$fmt" || fail "book.$fmt changed on a full disk"
  [ "$(ls -A "$full" | sort | tr '\n' ' ')" = "book.$fmt old.bytes " ] ||
    fail "left behind on a full disk: $(ls -A "$full")"
  rm "$full/book.$fmt"
  # A link to /dev/full: refused, the link kept, nothing left beside it.
  ln -s /dev/full "$dir/link.$fmt"
  status=0
  "$calc" --book "$dir/link.$fmt" Form21 2 1.5 0.025 1000 5 >/dev/null 2>&1 || status=$?
  [ $status -eq 3 ] || fail "a book to a link to /dev/full ended with $status"
  [ "$(readlink "$dir/link.$fmt")" = /dev/full ] || fail "the link to /dev/full was replaced"
  ls -A "$dir" | grep -q "^link\.$fmt." && fail "a file left beside link.$fmt"
done
status=0
"$calc" --book "$dir/missing/x.pdf" Form21 2 1.5 0.025 1000 5 >/dev/null 2>"$dir/err" || status=$?
[ $status -eq 3 ] && grep -q "was not written" "$dir/err" || fail "an unwritable book: $status"
"$calc" --book "$dir/x.txt" Form21 2 1.5 0.025 1000 5 >/dev/null 2>&1 && fail "a .txt book passed"

# Memory stays flat: 50 cases within 250 MB peak (a book held whole took 8.5 MB a case).
python3 -c 'for k in range(50): print(f"{2+k/25:.2f},1.5,0.025,1000,{5+k/5:.1f}")' >"$dir/cases"
# The peak of tarnwick-calc's run counts its writer too: it waits for it.
/usr/bin/time -f '%M' -o "$dir/peak" "$calc" --book "$dir/many.pdf" Form21 - <"$dir/cases" >/dev/null
kb=$(cat "$dir/peak")
[ "$(count "$dir/many.pdf" 计算成果表)" = 50 ] || fail "many.pdf does not hold 50 cases"
[ "$kb" -lt 256000 ] || fail "50 cases took ${kb} kB peak"
echo "check_book: 50 cases booked in ${kb} kB peak"
echo "check_book: PDF and ODT books written and read back"
