# Sourced by scripts/test and scripts/run: a virtual display and a Wine prefix of the build
# tree's own, started before any test so that Wine's background processes do not hold on to a
# test runner's output. Call wine_session_start DIR, and wine_session_stop when done.

wine_session_start() {
  local build="$1"
  export WINEPREFIX="$build/wineprefix"
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d;winemenubuilder.exe=d"
  export WINEARCH=win64
  mkdir -p "$build"

  if [ -z "${KESTRUNE_KEEP_DISPLAY:-}" ]; then
    local n
    for n in $(seq 91 140); do
      [ -e "/tmp/.X$n-lock" ] || break
    done
    Xvfb ":$n" -screen 0 "${KESTRUNE_SCREEN:-1920x1080x24}" -nolisten tcp >"$build/xvfb.log" 2>&1 &
    KESTRUNE_XVFB_PID=$!
    export DISPLAY=":$n"
    for _ in $(seq 1 50); do
      xdpyinfo >/dev/null 2>&1 && break
      sleep 0.1
    done
  fi

  if [ ! -f "$WINEPREFIX/.kestrune-ready" ]; then
    echo "Creating the Wine prefix in $WINEPREFIX (once, about half a minute)"
    wineboot -i >"$build/wineboot.log" 2>&1 || true
    wineserver -w
    wine_configure_prefix >>"$build/wineboot.log" 2>&1
    wineserver -w
    touch "$WINEPREFIX/.kestrune-ready"
  fi
  wineserver -p 2>/dev/null || true  # already running for this prefix
  wine wineboot >>"$build/wineboot.log" 2>&1 || true
}

wine_configure_prefix() {
  local reg="wine reg add"
  # Without a window manager every window close otherwise stalls and Wine grabs the X focus.
  $reg 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f
  $reg 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f
  # Chinese texts need a CJK face behind the usual font names.
  local face='WenQuanYi Micro Hei'
  for name in SimSun 'Microsoft YaHei' 'YaHei Consolas Hybrid' NSimSun; do
    $reg 'HKCU\Software\Wine\Fonts\Replacements' /v "$name" /d "$face" /f
  done
  for name in Tahoma 'MS Shell Dlg' 'MS Shell Dlg 2' 'Microsoft Sans Serif'; do
    $reg 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' /v "$name" \
      /t REG_MULTI_SZ /d "wqy-microhei.ttc,$face" /f
  done
}

wine_session_stop() {
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
  if [ -n "${KESTRUNE_XVFB_PID:-}" ]; then
    kill "$KESTRUNE_XVFB_PID" 2>/dev/null || true
    wait "$KESTRUNE_XVFB_PID" 2>/dev/null || true
    unset KESTRUNE_XVFB_PID
  fi
}
