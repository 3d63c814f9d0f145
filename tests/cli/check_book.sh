#!/usr/bin/env bash
# The calculation book through tarnwick-calc --book: a flat-bottom and a city-gate
# case as PDF and ODT. The PDF's text holds the project name, the report's banner
# and the checks (at the lining chosen); the ODT's content.xml parses and holds the same.
set -euo pipefail
calc=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
fail() { echo "check_book: $*"; exit 1; }

"$calc" --book "$dir/flat.pdf" --name "一号干渠设计" --lining medium-loam Form21 2 1.5 0.025 1000 5 \
  >/dev/null
"$calc" --book "$dir/gate.odt" --name "城门洞隧洞设计" Form23 3 2 1.7320508 120 0 0.014 1000 8 \
  >/dev/null
printf '3\t2\t1.7320508\t120\t0\t0.014\t1000\t8\n3\t2\t1.7320508\t120\t0\t0.014\t1000\t20\n' |
  "$calc" --book "$dir/gate.pdf" --name "城门洞隧洞设计" Form23 - >/dev/null || [ $? -eq 1 ]

text=$(pdftotext "$dir/flat.pdf" -)
for want in "一号干渠设计" "平底梯形渠、矩形渠均匀流水深计算成果表" "流态：缓流（Fr<0.80） 满足" "中壤土不冲流速" \
            "正常水深H= 1.24598" "W = (B + M·h)·h"; do
  grep -qF "$want" <<<"$text" || fail "flat.pdf lacks '$want'"
done
text=$(pdftotext "$dir/gate.pdf" -)
for want in "城门洞隧洞设计" "城门洞形隧洞均匀流水深计算成果表" "净空面积比=44.631%（要求≥15.000%，SL 279" \
            "此断面最大过流能力Q1="; do
  grep -qF "$want" <<<"$text" || fail "gate.pdf lacks '$want'"
done
python3 - "$dir/gate.odt" <<'PY' || fail "gate.odt"
import sys, zipfile, xml.dom.minidom
with zipfile.ZipFile(sys.argv[1]) as z:
    text = xml.dom.minidom.parseString(z.read("content.xml")).documentElement.toxml()
    assert any(n.startswith("Pictures/") for n in z.namelist()), "no pictures"
for want in ["城门洞隧洞设计", "城门洞形隧洞均匀流水深计算成果表", "净空高度=1.419 m（要求≥0.400 m，SL 279 水工隧洞设计规范 无压隧洞） 满足"]:
    assert want in text, want
PY
# A book that cannot be written is a failed write, never a success.
if "$calc" --book "$dir/missing/x.pdf" Form21 2 1.5 0.025 1000 5 >/dev/null 2>"$dir/err"; then
  fail "an unwritable book passed"
else
  [ $? -eq 3 ] || fail "an unwritable book did not end with status 3"
fi
grep -q "was not written" "$dir/err" || fail "no message for the unwritable book"
"$calc" --book "$dir/x.txt" Form21 2 1.5 0.025 1000 5 >/dev/null 2>&1 && fail "a .txt book passed"
echo "check_book: PDF and ODT books written and read back"
