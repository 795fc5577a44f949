#!/usr/bin/env bash
# Installs the Debian packages that building, testing and running the program need.
# Idempotent: does nothing when every package is present. Needs root or sudo to install.
set -euo pipefail

packages=(
  # toolchain
  g++ cmake make
  # Qt 6 widgets, SVG and test modules, with the platform plugins (xcb, offscreen)
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev qt6-qpa-plugins libgl-dev
  # fonts standing in for the window's classic faces
  fonts-liberation
  # real-window tests and screenshots
  xvfb xauth xdotool imagemagick
  # the monkey (make monkey): clipboard for pastes and answer probes, X headers for its helper
  xclip libxcb1-dev
  # static checks (make lint): clang-tidy and cppcheck
  clang-tidy cppcheck
  # install and package checks: launcher and metainfo validators, Debian packaging
  desktop-file-utils appstream dpkg-dev file
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q '^install ok installed$'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

if [ "$(id -u)" -eq 0 ]; then
  sudo=()
elif command -v sudo >/dev/null 2>&1 && sudo -n true 2>/dev/null; then
  sudo=(sudo -n)
else
  echo "install-deps: cannot install as $(id -un) without root or sudo; please install: ${missing[*]}" >&2
  exit 1
fi

echo "install-deps: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
