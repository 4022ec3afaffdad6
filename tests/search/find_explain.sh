#!/usr/bin/env bash
# lumeko find --explain in the test prefix, on a real tree: the JSON agrees
# with the plain answer and names the rule, a Japanese name comes through in
# UTF-8, the text form ends with the winner and the rule, and --text alone
# is refused with exit status 2.
# Usage: find_explain.sh PATH/TO/lumeko.exe
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
run="$root/scripts/wine-run"
exe=$1
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "find_explain: $*" >&2; exit 1; }
win() { printf 'Z:%s' "${1//\//\\}"; }

mkdir -p "$tmp/music" "$tmp/lyrics/sub"
: > "$tmp/music/track01.mp3"
: > "$tmp/lyrics/Hello World!.KRA"           # 93
: > "$tmp/lyrics/Hello World (live).LRC"     # 68
: > "$tmp/lyrics/sub/Hello World#.LRC"
find_() { "$run" "$exe" find --media "$(win "$tmp/music/track01.mp3")" --set "LyricsPath=$(win "$tmp/lyrics")" "$@" |
  tr -d '\r'; }

find_ --title 'Hello World' > "$tmp/plain.json"
find_ --title 'Hello World' --explain > "$tmp/explain.json"
python3 - "$tmp/plain.json" "$tmp/explain.json" "$(win "$tmp")" <<'PY' || fail "explain: $(head -c 400 "$tmp/explain.json")"
import json, sys
plain = json.load(open(sys.argv[1], encoding='utf-8'))
e = json.load(open(sys.argv[2], encoding='utf-8'))
base = sys.argv[3]
assert e['file'] == plain['file'] == base + '\\lyrics\\Hello World!.KRA', (e['file'], plain['file'])
assert e['rule'] == 'similar_best_score' and e['threshold'] == 70 and e['score'] == 93, e
by_name, by_title = e['searches']
assert by_name['name'] == 'track01' and by_name['tries'][0]['folder'] == base + '\\music\\', by_name
similar = [t for t in by_title['tries'] if t['way'] == 'similar']
assert len(similar) == 1, by_title['tries']  # the folder decided; its subfolder was not needed
assert similar[0]['candidates'][1] == dict(file=base + '\\lyrics\\Hello World (live).LRC', extension='.LRC',
                                           kind=2, score=68, outcome='below_threshold'), similar
PY

text=$(find_ --title 'Hello World' --explain --text)
echo "$text" | grep -qxF "winner: $(win "$tmp")\\lyrics\\Hello World!.KRA" || fail "text: $text"
echo "$text" | grep -q 'below_threshold, kind 2, score 68 < 70' || fail "text hides a refusal: $text"

# A Japanese name beside the media file, in UTF-8 on both sides.
jp="夜明け（歌詞）"
: > "$tmp/music/$jp.mp3"
: > "$tmp/music/$jp.TXT"
"$run" "$exe" find --media "$(win "$tmp/music/$jp.mp3")" --explain | tr -d '\r' > "$tmp/jp.json"
python3 - "$tmp/jp.json" "$jp" <<'PY' || fail "japanese: $(head -c 400 "$tmp/jp.json")"
import json, sys
e = json.load(open(sys.argv[1], encoding='utf-8'))
assert e['rule'] == 'exact_beside_media' and e['file'].endswith('\\' + sys.argv[2] + '.TXT'), e
assert e['searches'][0]['name'] == sys.argv[2]
assert [c['outcome'] for c in e['searches'][0]['tries'][0]['candidates']] == ['missing', 'missing', 'accepted']
PY

status=0
err=$("$run" "$exe" find --title x --text 2>&1 >/dev/null) || status=$?
[ "$status" -eq 2 ] || fail "--text without --explain exited $status"
[ "$(printf '%s\n' "$err" | grep -c .)" -eq 1 ] || fail "--text alone: not one line: $err"
echo ok
