#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# tools/install-deps.sh on made-up machines: stand-ins for id, dpkg-query, apt-get, sudo and
# cmake on a PATH that holds nothing else but the few commands the script uses, and a log of
# what the stand-ins were asked to do.
#
#   install-deps.sh <source dir> <scratch dir>
set -uo pipefail
src=$1
work=$2
rm -rf "$work"
mkdir -p "$work"
failures=0

run_packages="g++ cmake make qt6-base-dev qt6-base-dev-tools qt6-svg-dev qt6-qpa-plugins libgl-dev"
run_packages+=" fonts-liberation qt6-translations-l10n"
test_packages="xvfb xauth xdotool desktop-file-utils appstream dpkg-dev file lintian"
test_packages+=" orca at-spi2-core dbus-daemon python3-pyatspi"
install_flags="-y -qq --no-install-recommends"

# machine <name> <stand-in>...: a PATH directory with the given stand-ins and the real commands
# the script needs besides them.
machine() {
  local bin="$work/$1/bin"
  shift
  mkdir -p "$bin"
  for real in bash env mktemp rm true; do
    ln -s "$(type -P "$real")" "$bin/$real"
  done
  local stub
  for stub in "$@"; do
    {
      echo '#!/bin/sh'
      case $stub in
        id) echo 'if [ "$1" = -u ]; then echo "$STUB_UID"; else echo pupil; fi' ;;
        dpkg-query)
          echo 'case "$*" in *Version*) echo "${STUB_QT:-6.4.2+dfsg-10}"; exit 0 ;; esac'
          echo 'for p; do :; done'
          echo 'case " $STUB_INSTALLED " in'
          echo '  *" $p "*) printf "install ok installed" ;;'
          echo '  *) exit 1 ;;'
          echo 'esac' ;;
        apt-get) echo 'echo "apt-get $*" >>"$STUB_LOG"' ;;
        sudo=nopasswd) echo 'echo "sudo $*" >>"$STUB_LOG"; [ "$1" = -n ] && shift; exec "$@"' ;;
        sudo=passwd)
          echo 'echo "sudo $*" >>"$STUB_LOG"; [ "$1" = -n ] && exit 1; exec "$@"' ;;
        cmake=qt) echo 'exit 0' ;;
        cmake=old) echo '[ "$1" = --version ] && printf "cmake version 3.22.1\n\nCMake suite\n"; exit 0' ;;
        cmake=noqt)
          echo 'echo "CMake Error at CMakeLists.txt:10 (find_package):"'
          echo 'echo "  Could not find a package configuration file provided by \"Qt6\""'
          echo 'exit 1' ;;
      esac
    } >"$bin/${stub%%=*}"
    chmod +x "$bin/${stub%%=*}"
  done
}

# check <name> <exit status> <expected log> <text the messages contain> <command...>
check() {
  local name=$1 want_rc=$2 want_log=$3 want_text=$4
  shift 4
  local log="$work/$name/log" out rc=0
  : >"$log"
  out=$(env -i PATH="$work/$name/bin" STUB_LOG="$log" STUB_UID="${STUB_UID:-0}" \
        STUB_INSTALLED="${STUB_INSTALLED:-}" STUB_QT="${STUB_QT:-}" "$@" 2>&1 </dev/null) || rc=$?
  local got_log
  got_log=$(<"$log")
  if [ "$rc" != "$want_rc" ] || [ "$got_log" != "$want_log" ] || [[ $out != *"$want_text"* ]]; then
    echo "FAIL $name: exit $rc (want $want_rc)"
    echo "  log:      ${got_log//$'\n'/ | }"
    echo "  want log: ${want_log//$'\n'/ | }"
    echo "  output:   ${out//$'\n'/ | }"
    echo "  want:     $want_text"
    failures=$((failures + 1))
  else
    echo "PASS $name"
  fi
}

script=$src/tools/install-deps.sh

machine root id dpkg-query apt-get
STUB_UID=0 check "root" 0 "apt-get update -qq
apt-get install $install_flags $run_packages" "installing $run_packages" "$script" run

machine complete id dpkg-query apt-get
STUB_UID=1000 STUB_INSTALLED="$run_packages $test_packages" \
  check "complete" 0 "" "" "$script" test

# "make test" on a machine that has what running needs: only the test packages are added.
machine nopasswd id dpkg-query apt-get sudo=nopasswd
STUB_UID=1000 STUB_INSTALLED="$run_packages" check "nopasswd" 0 "sudo -n true
sudo -n env DEBIAN_FRONTEND=noninteractive apt-get update -qq
apt-get update -qq
sudo -n env DEBIAN_FRONTEND=noninteractive apt-get install $install_flags $test_packages
apt-get install $install_flags $test_packages" "installing with sudo: $test_packages" \
  "$script" test

# A password is asked for on a terminal (script(1) gives the run one); without one, the
# message names the packages.
machine "passwd on a terminal" id dpkg-query apt-get sudo=passwd
if command -v script >/dev/null 2>&1; then
  STUB_UID=1000 STUB_INSTALLED="$run_packages" check "passwd on a terminal" 0 "sudo -n true
sudo env DEBIAN_FRONTEND=noninteractive apt-get update -qq
apt-get update -qq
sudo env DEBIAN_FRONTEND=noninteractive apt-get install $install_flags $test_packages
apt-get install $install_flags $test_packages" "may ask for your password" \
    "$(command -v script)" -qec "$script test" /dev/null
else
  echo "SKIP passwd on a terminal: no script(1)"
fi
cp -r "$work/passwd on a terminal" "$work/passwd without a terminal"
STUB_UID=1000 STUB_INSTALLED="$run_packages" check "passwd without a terminal" 1 "sudo -n true" \
  "no terminal to ask for it. Please install, as root:
install-deps:   apt-get install $test_packages" "$(command -v setsid)" -w "$script" test

machine nosudo id dpkg-query apt-get
STUB_UID=1000 check "nosudo" 1 "" "not root, and there is no sudo. Please install, as root:
install-deps:   apt-get install $run_packages" "$script" run

# Only the fonts and Qt's translations missing, and no way to install them: named in one line,
# and the build goes on.
toolchain_packages=${run_packages% fonts-liberation qt6-translations-l10n}
machine "optional without root" id dpkg-query apt-get sudo=passwd
STUB_UID=1000 STUB_INSTALLED="$toolchain_packages" check "optional without root" 0 "sudo -n true" \
  "install-deps: not installed, the program runs without them: fonts-liberation qt6-translations-l10n (as root: apt-get install fonts-liberation qt6-translations-l10n)" \
  "$(command -v setsid)" -w "$script" run

# A release whose own CMake and Qt are too old: the versions found and needed, nothing installed.
machine "too old" id dpkg-query apt-get cmake=old
STUB_UID=0 STUB_QT="6.2.4+dfsg-2ubuntu1" STUB_INSTALLED="$run_packages" check "too old" 1 "" \
  "too old for building: CMake 3.22.1 (needed: 3.25 or newer), Qt 6.2.4 (needed: 6.4 or newer)." \
  "$script" run

# Other distributions: no dpkg-query, no apt-get.
machine "no apt-get with Qt" id cmake=qt
STUB_UID=1000 check "no apt-get with Qt" 0 "" "" "$script" run

machine "no apt-get without Qt" id cmake=noqt
STUB_UID=1000 check "no apt-get without Qt" 1 "" "(Could not find a package configuration file provided by \"Qt6\"). There is no apt-get here; please install them:
install-deps:   Debian, Ubuntu: g++ cmake make qt6-base-dev qt6-svg-dev libgl-dev fonts-liberation qt6-translations-l10n
install-deps:   Fedora:         gcc-c++ cmake make qt6-qtbase-devel qt6-qtsvg-devel liberation-fonts qt6-qttranslations
install-deps:   openSUSE:       gcc-c++ cmake make qt6-base-devel qt6-svg-devel liberation-fonts qt6-translations
install-deps:   Arch:           gcc cmake make qt6-base qt6-svg ttf-liberation qt6-translations" "$script" run

if [ $failures -ne 0 ]; then
  echo "$failures set-up case(s) failed"
  exit 1
fi
