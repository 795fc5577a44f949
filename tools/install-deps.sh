#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing for the named uses, and nothing when nothing is:
#
#   tools/install-deps.sh run     building and running the program (make run)
#   tools/install-deps.sh test    ... and the tests (make test, make asan-test)
#   tools/install-deps.sh lint    ... and the static checks and formatting (make lint, make format)
#   tools/install-deps.sh fuzz    ... and clang with libFuzzer (make fuzz)
#   tools/install-deps.sh docs    ... and the screenshot tool (tools/screenshot.sh)
#   tools/install-deps.sh monkey  ... and the monkey's clipboard tool and X headers (make monkey)
#   tools/install-deps.sh qt-windows  ... and what building Qt for Windows needs (tools/windows)
#   tools/install-deps.sh windows ... and the Windows build, its packages and Wine (make windows)
#
# Every use includes "run". Where CMake 3.25, a C++20 compiler and Qt 6.4 are found (a scratch
# configure of cmake/toolchain-check), their packages are not installed, on any distribution.
# Everything else is looked up with dpkg-query on Debian and its kin, and by its command
# elsewhere, and installed with apt-get: as root directly, otherwise through sudo, which may
# ask for the password when there is a terminal. Where that cannot be done, the message names
# the packages to install.
set -euo pipefail

root=$(cd "${0%/*}/.." && pwd)

# Debian packages of each use. "package:command" names the command that shows the package is
# there on a system without dpkg; a package without one is only checked with dpkg.
toolchain=(g++ cmake make qt6-base-dev qt6-base-dev-tools qt6-svg-dev qt6-qpa-plugins libgl-dev)
declare -A uses=(
  # the fonts standing in for the window's classic faces; Qt's own texts (a text box's context
  # menu) in German
  [run]="fonts-liberation qt6-translations-l10n"
  # real-window tests on a virtual display; launcher and metainfo validators; the package
  # and its checks; the screen reader, its accessibility bus and a session bus to run it on,
  # and the Python bindings the event counter (tools/a11y/eventrate.py) listens with
  [test]="xvfb:xvfb-run xauth:xauth xdotool:xdotool desktop-file-utils:desktop-file-validate
          appstream:appstreamcli dpkg-dev:dpkg-shlibdeps file:file lintian:lintian orca:orca
          at-spi2-core dbus-daemon:dbus-run-session python3-pyatspi"
  [lint]="clang-tidy:run-clang-tidy cppcheck:cppcheck clang-format:clang-format"
  [fuzz]="clang:clang++ libclang-rt-14-dev"
  [docs]="xvfb:xvfb-run xauth:xauth xdotool:xdotool imagemagick:import"
  # the monkey (make monkey): clipboard for pastes and answer probes, X headers for its helper
  [monkey]="xvfb:xvfb-run xauth:xauth xdotool:xdotool xclip:xclip libxcb1-dev"
  # Qt for Windows built from source: the cross compilers, Ninja, unpacking Debian's source
  [qt-windows]="g++-mingw-w64-x86-64-posix:x86_64-w64-mingw32-g++-posix ninja-build:ninja
                dpkg-dev:dpkg-source xz-utils:xz"
  # the Windows build, its zip and setup, and running both under Wine on a virtual display
  # (with Wine's own fonts, which stand in for Windows' faces in its dialogs)
  [windows]="g++-mingw-w64-x86-64-posix:x86_64-w64-mingw32-g++-posix ninja-build:ninja
             nsis:makensis unzip:unzip wine:wine wine64 xvfb:xvfb-run xauth:xauth
             xdotool:xdotool xclip:xclip qt6-translations-l10n fonts-wine"
)

say() { echo "install-deps: $*" >&2; }

if [ $# -eq 0 ]; then
  set -- run
fi
wanted=()
for use in run "$@"; do
  if [ -z "${uses[$use]+set}" ]; then
    say "unknown use \"$use\" (run, test, lint, fuzz, docs, monkey, qt-windows, windows)"
    exit 2
  fi
  for entry in ${uses[$use]}; do
    [[ " ${wanted[*]} " == *" $entry "* ]] || wanted+=("$entry")
  done
done

have_dpkg=false
if command -v dpkg-query >/dev/null 2>&1; then
  have_dpkg=true
fi

installed() { # package[:command]
  local package=${1%%:*} command=${1#*:}
  if $have_dpkg; then
    [[ $(dpkg-query -W -f='${Status}' "$package" 2>/dev/null) == "install ok installed" ]]
  elif [ "$command" != "$1" ]; then
    command -v "$command" >/dev/null 2>&1
  else
    true
  fi
}

probe_error=""
toolchain_found() {
  command -v cmake >/dev/null 2>&1 || { probe_error="cmake is not installed"; return 1; }
  local dir out rc=0
  dir=$(mktemp -d)
  out=$(cmake -S "$root/cmake/toolchain-check" -B "$dir" 2>&1) || rc=$?
  rm -rf "$dir"
  if [ $rc -ne 0 ]; then
    # The first line of CMake's message says what is missing.
    local line seen=false
    while IFS= read -r line; do
      if $seen && [ -n "${line// /}" ]; then
        probe_error=${line#"${line%%[! ]*}"}
        break
      fi
      [[ $line == "CMake Error"* ]] && seen=true
    done <<<"$out"
    return 1
  fi
}

# version_below <found> <needed>: true when the dotted version found is lower than the needed.
version_below() {
  local -a f n
  IFS=. read -ra f <<<"$1"
  IFS=. read -ra n <<<"$2"
  local i
  for i in 0 1 2; do
    local a=${f[i]:-0} b=${n[i]:-0}
    a=${a%%[!0-9]*} b=${b%%[!0-9]*}
    if ((${a:-0} != ${b:-0})); then
      ((${a:-0} < ${b:-0}))
      return
    fi
  done
  return 1
}

# Where the build packages are installed, their versions: installing cannot mend a release's
# own packages that are too old, so the message names what is found and what is needed.
too_old() {
  local found=() v
  if command -v cmake >/dev/null 2>&1; then
    v=$(cmake --version 2>/dev/null) || v=""
    v=${v%%$'\n'*}
    v=${v##* }
    if [ -n "$v" ] && version_below "$v" 3.25; then
      found+=("CMake $v (needed: 3.25 or newer)")
    fi
  fi
  if command -v g++ >/dev/null 2>&1; then
    v=$(g++ -dumpfullversion 2>/dev/null) || v=""
    if [ -n "$v" ] && version_below "$v" 11; then
      found+=("g++ $v (needed: 11 or newer)")
    fi
  fi
  v=$(dpkg-query -W -f='${Version}' qt6-base-dev 2>/dev/null) || v=""
  v=${v#*:}
  v=${v%%[+~-]*}
  if [ -n "$v" ] && version_below "$v" 6.4; then
    found+=("Qt $v (needed: 6.4 or newer)")
  fi
  if [ ${#found[@]} -gt 0 ]; then
    local list
    printf -v list '%s, ' "${found[@]}"
    say "too old for building: ${list%, }. Debian 12 and Ubuntu 24.04 have new enough ones."
    return 0
  fi
  return 1
}

missing=()
toolchain_missing=false
for p in "${toolchain[@]}"; do
  if ! $have_dpkg || ! installed "$p"; then
    toolchain_missing=true
  fi
done
if $toolchain_missing && ! toolchain_found; then
  missing+=("${toolchain[@]}")
elif ! $toolchain_missing && too_old; then
  exit 1
fi
for entry in "${wanted[@]}"; do
  if ! installed "$entry"; then
    missing+=("${entry%%:*}")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

# Not worth stopping for: the program runs with other fonts, and Qt's own texts (a text box's
# context menu) are then English.
optional=(fonts-liberation qt6-translations-l10n)
essential=()
skipped=()
for p in "${missing[@]}"; do
  if [[ " ${optional[*]} " == *" $p "* ]]; then
    skipped+=("$p")
  else
    essential+=("$p")
  fi
done
say_optional() { # <how to install them>
  say "not installed, the program runs without them: ${skipped[*]} ($1)"
}

if ! command -v apt-get >/dev/null 2>&1; then
  if [[ " ${missing[*]} " == *" qt6-base-dev "* ]]; then
    say "building needs CMake 3.25 or newer, a C++20 compiler and Qt 6.4 or newer with its SVG"
    say "module (${probe_error:-not found}). There is no apt-get here; please install them:"
    say "  Debian, Ubuntu: g++ cmake make qt6-base-dev qt6-svg-dev libgl-dev fonts-liberation qt6-translations-l10n"
    say "  Fedora:         gcc-c++ cmake make qt6-qtbase-devel qt6-qtsvg-devel liberation-fonts qt6-qttranslations"
    say "  openSUSE:       gcc-c++ cmake make qt6-base-devel qt6-svg-devel liberation-fonts qt6-translations"
    say "  Arch:           gcc cmake make qt6-base qt6-svg ttf-liberation qt6-translations"
    exit 1
  fi
  if [ ${#essential[@]} -gt 0 ]; then
    say "there is no apt-get here; please install these, as your distribution names them:"
    say "  ${essential[*]}"
    exit 1
  fi
  say_optional "as your distribution names them"
  exit 0
fi

if [ "$(id -u)" -eq 0 ]; then
  as_root=()
  say "installing ${missing[*]}"
elif command -v sudo >/dev/null 2>&1 && sudo -n true 2>/dev/null; then
  as_root=(sudo -n)
  say "installing with sudo: ${missing[*]}"
elif [ ${#essential[@]} -eq 0 ]; then
  say_optional "as root: apt-get install ${skipped[*]}"
  exit 0
elif command -v sudo >/dev/null 2>&1 && (: </dev/tty) 2>/dev/null; then
  as_root=(sudo)
  say "installing with sudo, which may ask for your password: ${missing[*]}"
else
  if command -v sudo >/dev/null 2>&1; then
    why="sudo needs a password and there is no terminal to ask for it"
  else
    why="not root, and there is no sudo"
  fi
  say "cannot install as $(id -un): $why. Please install, as root:"
  say "  apt-get install ${missing[*]}"
  exit 1
fi

"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive \
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
