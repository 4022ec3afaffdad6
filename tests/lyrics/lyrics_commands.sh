#!/usr/bin/env bash
# lumeko parse and lumeko at in the test prefix: the sample song as JSON, a
# Japanese file name in either code page, positions before and inside a line,
# the offset, LRC tags with --lrc, and one-line refusals with exit status 2.
# Usage: lyrics_commands.sh PATH/TO/lumeko.exe
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
run="$root/scripts/wine-run"
exe=$1
song="$root/samples/yoake-no-metronome.kra"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "lyrics_commands: $*" >&2; exit 1; }

# A Japanese name must reach the tool intact whatever Wine's code page.
jp="$tmp/夜明けのメトロノーム（歌詞）.kra"
cp "$song" "$jp"
"$run" "$exe" parse "$jp" --offset 250 | tr -d '\r' > "$tmp/doc.json"
python3 - "$tmp/doc.json" "$jp" <<'PY' || fail "parse: $(head -c 300 "$tmp/doc.json")"
import json, sys
d = json.load(open(sys.argv[1], encoding='utf-8'))
assert d['file'] == sys.argv[2], d['file']
assert d['tags']['@TITLE'] == '夜明けのメトロノーム', d['tags']
assert d['has_word_tags'] is True and d['offset'] == 250
first = d['lines'][0]
assert first['text'] == '夜明け前の 駅のホーム' and first['start'] == 12000, first
# Word tags sit on CP932 byte positions: "夜明け" is six bytes.
assert [t['position'] for t in first['tags']][:3] == [0, 4, 8], first['tags']
starts = [e['start'] for e in d['timeline']]
assert starts == sorted(starts) and d['timeline'][0]['line_index'] == 0
assert all(e['duration'] == e['end'] - e['start'] for e in d['timeline'])
PY

at() { "$run" "$exe" at "$song" "$@" | tr -d '\r'; }
at 100 | grep -q '"found":false' || fail "a position before the first line was found"
inside=$(at 12500)
echo "$inside" | grep -q '"found":true,"line_index":0,"timeline_index":0' || fail "at 12500: $inside"
echo "$inside" | grep -q '"progress":6666' || fail "wipe progress at 12500: $inside"
# With an offset of 500 ms the same moment is the start of the first word.
at 12500 --offset 500 | grep -q '"progress":0' || fail "the offset was not applied"

# --lrc reads the standard LRC tags; without it they are text.
printf '[ti:Song]\r\n[offset:+500]\r\n[00:12.50]one<00:13.00>two\r\n' > "$tmp/song.lrc"
"$run" "$exe" parse "$tmp/song.lrc" --lrc | tr -d '\r' > "$tmp/lrc.json"
python3 - "$tmp/lrc.json" <<'PY' || fail "parse --lrc: $(head -c 300 "$tmp/lrc.json")"
import json, sys
d = json.load(open(sys.argv[1], encoding='utf-8'))
assert d['tags'] == {'@OFFSET': '-500', '@TITLE': 'Song'} and d['offset'] == -500, d
assert [l['text'] for l in d['lines']] == ['onetwo'] and d['has_word_tags'] is True, d['lines']
assert [(t['position'], t['start']) for t in d['timeline'][0]['tags']] == [(0, 12500), (3, 13000), (6, 13000)]
PY
"$run" "$exe" parse "$tmp/song.lrc" | tr -d '\r' | grep -q '"text":"\[ti:Song\]"' || fail "the tags were read without --lrc"
"$run" "$exe" at "$tmp/song.lrc" 12000 --lrc | tr -d '\r' | grep -q '"found":true,"line_index":0' ||
  fail "at --lrc: the offset did not bring the line earlier"

"$run" "$exe" --help | tr -d '\r' | grep -q '^  parse FILE' || fail "help lists no parse"
refused() {
  local err status=0
  err=$("$run" "$exe" "$@" 2>&1 >/dev/null) || status=$?
  [ "$status" -eq 2 ] || fail "$* exited $status"
  [ "$(printf '%s\n' "$err" | grep -c .)" -eq 1 ] || fail "$*: not one line: $err"
}
refused parse "$tmp/none.kra"
refused at "$song" 12x
refused parse "$song" --bogus
refused at "$song"
echo ok
