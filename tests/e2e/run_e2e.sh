#!/usr/bin/env bash
# Drives the real kestrune.exe under Wine as a user would, with xdotool: the default directory,
# F5, F7, a right click and "copy this row", then Esc in the middle of parsing a big log.
# Needs the display and Wine prefix that scripts/test starts. Screenshots go to ARTIFACTS.
set -euo pipefail
exe="$1"
artifacts="$2"
here="$(cd "$(dirname "$0")" && pwd)"
mkdir -p "$artifacts"
: "${WINEPREFIX:?} ${DISPLAY:?}"

logs="$WINEPREFIX/drive_c/inetpub/logs/LogFiles"
rm -rf "$logs"
mkdir -p "$logs/W3SVC1"
# a.log is reported first: a directory's files come before its subdirectories.
printf '#Fields: date time s-ip\r\n2017-11-27 08:00:01 10.0.0.5 GET /index.aspx - 80 - 1.2.3.4 UA+x 200 0 0 15 extra\r\n' >"$logs/a.log"
python3 "$here/../../scripts/make-sample-log.py" "$logs/W3SVC1/big.log" 100

pid=""
fail() {
  echo "FAIL: $*"
  timeout 10 import -window root "$artifacts/failure.png" 2>/dev/null || true
  [ -n "$pid" ] && kill "$pid" 2>/dev/null
  exit 1
}

# The visible window of the program, once it is there (a closed one may linger for a moment).
find_window() {
  local w
  for _ in $(seq 1 300); do
    w=$(xdotool search --onlyvisible --name 'Kestrune' 2>/dev/null | tail -n 1)
    if [ -n "$w" ] && xdotool getwindowname "$w" >/dev/null 2>&1; then
      echo "$w"
      return 0
    fi
    sleep 0.1
  done
  return 1
}

start_program() {
  while xdotool search --onlyvisible --name 'Kestrune' >/dev/null 2>&1; do sleep 0.1; done
  wine "$exe" >/dev/null 2>&1 &
  pid=$!
  wid=$(find_window) || fail "no window"
  xdotool windowfocus --sync "$wid" 2>/dev/null || xdotool windowfocus "$wid"
  sleep 0.5
}

key() { echo "[${SECONDS}s] key $*"; xdotool key "$@"; sleep 0.3; }

# 1. Default directory (Tab, Tab, Space), F5, F7, right click, copy.
echo "[${SECONDS}s] starting"; start_program
key Tab Tab space
key F5
sleep 1
key F7
sleep 2
import -window root "$artifacts/parsed.png"
xdotool mousemove --window "$wid" 300 116 click 3  # on the second row
sleep 0.5
key Down Return
sleep 0.5
import -window root "$artifacts/copied.png"
key Return  # closes the success message
clip=""
for _ in 1 2 3 4 5; do
  clip=$(xclip -o -selection clipboard -t UTF8_STRING 2>/dev/null) && break
  sleep 0.3
done

expected='2017-11-27  08:00:01  10.0.0.5  GET  /index.aspx  -  80  -  1.2.3.4  UA+x  200  0  0  15  '
[ "$clip" = "$expected" ] || fail "clipboard: '$clip'"
key Escape
wait "$pid"
code=$?
[ "$code" -eq 0 ] || fail "exit code $code after Esc"
echo "copy and Esc: ok"

# 2. Esc while the big log is being parsed ends the program at once with exit code 0.
echo "[${SECONDS}s] starting"; start_program
key Tab Tab space
key F5
sleep 1
key Tab Down   # from the default-directory button to the file list: its second entry, big.log
key F7
sleep 0.3
import -window root "$artifacts/parsing.png"
start=$(date +%s%N)
key Escape
wait "$pid"
code=$?
elapsed_ms=$(( ($(date +%s%N) - start) / 1000000 ))
[ "$code" -eq 0 ] || fail "exit code $code after Esc during a parse"
echo "Esc during a parse: exit code 0 after ${elapsed_ms} ms"
[ "$elapsed_ms" -lt 3000 ] || fail "took ${elapsed_ms} ms to end"
rm -rf "$logs"
echo "1 passed, 0 failed"
