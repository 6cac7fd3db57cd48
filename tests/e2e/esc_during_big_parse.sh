#!/usr/bin/env bash
# Esc while the real kestrune.exe parses a 1 GiB log: the process must end within a second, with
# exit code 0. The log is generated once into WORK and reused; the program finds it in the IIS
# default directory of the Wine prefix. Needs the display and Wine prefix that scripts/test starts.
set -euo pipefail
exe="$1"
work="$2"
here="$(cd "$(dirname "$0")" && pwd)"
mkdir -p "$work"
: "${WINEPREFIX:?} ${DISPLAY:?}"

big="$work/u_ex-1gib.log"
if [ ! -f "$big" ] || [ "$(stat -c %s "$big")" -lt $((1023 << 20)) ]; then
  echo "[${SECONDS}s] writing the 1 GiB log once: $big"
  python3 "$here/../../scripts/make-sample-log.py" "$big.part" 1024
  mv "$big.part" "$big"
fi
logs="$WINEPREFIX/drive_c/inetpub/logs/LogFiles"
rm -rf "$logs"
mkdir -p "$logs"
ln "$big" "$logs/u_ex171127.log" 2>/dev/null || cp "$big" "$logs/u_ex171127.log"

pid=""
fail() {
  echo "FAIL: $*"
  timeout 10 import -window root "$work/failure.png" 2>/dev/null || true
  [ -n "$pid" ] && kill "$pid" 2>/dev/null
  rm -rf "$logs"
  exit 1
}

while xdotool search --onlyvisible --name 'Kestrune' >/dev/null 2>&1; do sleep 0.1; done
wine "$exe" >/dev/null 2>&1 &
pid=$!
wid=""
for _ in $(seq 1 300); do
  wid=$(xdotool search --onlyvisible --name 'Kestrune' 2>/dev/null | tail -n 1) || true
  [ -n "$wid" ] && xdotool getwindowname "$wid" >/dev/null 2>&1 && break
  wid=""
  sleep 0.1
done
[ -n "$wid" ] || fail "no window"
xdotool windowfocus --sync "$wid" 2>/dev/null || xdotool windowfocus "$wid"
sleep 0.5

# The threads of the program (Wine runs each Windows thread as a Linux thread of this process):
# a parse task is one more while it runs.
threads() { ls "/proc/$pid/task" 2>/dev/null | wc -l; }
rss_mib() { awk '/^VmRSS:/ { print int($2 / 1024) }' "/proc/$pid/status" 2>/dev/null || echo 0; }

xdotool key Tab Tab space  # the default directory
sleep 0.3
xdotool key F5
sleep 1
threads_idle=$(threads)
xdotool key F7
sleep 0.3
threads_at_esc=$(threads)
rss_at_esc=$(rss_mib)
start=$(date +%s%N)
xdotool key Escape
set +e
wait "$pid"
code=$?
set -e
elapsed_ms=$(( ($(date +%s%N) - start) / 1000000 ))
pid=""
rm -rf "$logs"

echo "threads before F7: $threads_idle, at Esc: $threads_at_esc; resident at Esc: ${rss_at_esc} MiB"
echo "Esc during the parse of a 1 GiB log: exit code $code after ${elapsed_ms} ms"
[ "$threads_at_esc" -gt "$threads_idle" ] || fail "no parse was running when Esc was pressed"
[ "$code" -eq 0 ] || fail "exit code $code"
[ "$elapsed_ms" -lt 1000 ] || fail "took ${elapsed_ms} ms to end"
echo "1 passed, 0 failed"
