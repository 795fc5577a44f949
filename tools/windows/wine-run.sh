#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a Windows program of the Windows build under Wine: ctest's emulator for the test
# programs (CMAKE_CROSSCOMPILING_EMULATOR), and the packages' checks.
#
#   tools/windows/wine-run.sh <wine prefix> <program.exe> [arguments...]
#
# The prefix (a Windows installation of its own) is made on first use, with Wine's null display
# driver where no X display is named: the test programs draw offscreen and need no screen.
# Several runs at once share it; the first one makes it while the others wait. Gives the
# program's exit status.
set -euo pipefail

if [ $# -lt 2 ]; then
  echo "usage: wine-run.sh <wine prefix> <program.exe> [arguments...]" >&2
  exit 2
fi
export WINEPREFIX=$1
shift
export WINEDEBUG=${WINEDEBUG:--all}
# Without a console Qt writes its messages and the test logs to the debugger's channel, which
# Wine drops: to the standard outputs instead.
export QT_FORCE_STDERR_LOGGING=${QT_FORCE_STDERR_LOGGING:-1}
# Wine keeps this machine's QT_ variables from Windows programs; it hands them WINEQT_X as QT_X.
while IFS='=' read -r name _; do
  [[ $name == QT_* ]] && export "WINE$name=${!name}"
done < <(env)
# No downloads of Wine's .NET and browser engines, no menu entries on this machine's desktop.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=;winemenubuilder.exe=d}
command -v wine >/dev/null 2>&1 || {
  echo "wine-run.sh: wine is not installed (Debian's wine and wine64)" >&2
  exit 2
}

mkdir -p "$(dirname "$WINEPREFIX")"
(
  flock 9
  if [ ! -f "$WINEPREFIX/.ready" ]; then
    wineboot -i >/dev/null 2>&1 || true
    if [ -z "${DISPLAY:-}" ]; then
      wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1
    fi
    wineserver -w
    touch "$WINEPREFIX/.ready"
  fi
  # One Wine server for runs that start together (they would each start one, and wait).
  wineserver -p10 >/dev/null 2>&1 9>&- || true
) 9>"$WINEPREFIX.lock"

exec wine "$@"
