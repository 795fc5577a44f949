#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Prints the folder of a finished Qt for Windows (tools/windows/build-qt.sh), looked for in
# $RB_WINDOWS_QT, ~/.cache/raeuber-beute/qt-6.4.2-windows-x64 and a ready one beside this
# checkout (../shared/windows/qt-6.4.2-windows-x64); fails, saying where it looked, when none
# is there. Finished: build-qt.sh marked it so, or (a Qt built elsewhere) its Svg module is
# installed and no build of it is under way.
root=$(cd "${0%/*}/../.." && pwd)
places=()
[ -n "${RB_WINDOWS_QT:-}" ] && places+=("$RB_WINDOWS_QT")
places+=("$HOME/.cache/raeuber-beute/qt-6.4.2-windows-x64"
         "$root/../shared/windows/qt-6.4.2-windows-x64")
for place in "${places[@]}"; do
  if [ -f "$place/.complete" ] ||
     { [ -f "$place/lib/cmake/Qt6Svg/Qt6SvgConfig.cmake" ] && [ ! -d "$place.work" ]; }; then
    realpath "$place"
    exit 0
  fi
done
echo "no Qt for Windows in ${places[*]}" >&2
exit 1
