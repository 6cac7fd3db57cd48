#!/bin/sh
# Runs a Windows program under Wine in the build tree's own prefix (never ~/.wine).
# The caller (scripts/test) has started Xvfb and the wineserver; see scripts/wine-env.sh.
: "${WINEPREFIX:?run through scripts/test or source scripts/wine-env.sh first}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d;winemenubuilder.exe=d"
exec wine "$@"
