#!/usr/bin/env bash
# Installs the Debian packages Orvel builds with, and those named as arguments (asks apt-get
# only for what is missing). Run as root, or as a user who may use sudo.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  libgtest-dev libcli11-dev libsimpleini-dev
  qt6-base-dev
  fonts-dejavu-core poppler-utils
  help2man dpkg-dev lintian file desktop-file-utils
  appstream devscripts shared-mime-info xdg-utils libfile-mimeinfo-perl libglib2.0-bin
  clang-format git
)
packages+=("$@")

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
$sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
