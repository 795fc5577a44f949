#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Starts the built program, or explains how to when no display is available.
set -u
program=$1
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "make run: no display found (DISPLAY is not set). Start it on a desktop, or under a" >&2
  echo "virtual display: xvfb-run -s '-screen 0 1600x1000x24' make run" >&2
  exit 1
fi
exec "$program"
