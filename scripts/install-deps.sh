#!/usr/bin/env bash
# Installs the Debian packages Orvel builds with (asks apt-get only for what is missing).
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  libgtest-dev libcli11-dev libsimpleini-dev
  qt6-base-dev
  fonts-dejavu-core poppler-utils
  help2man dpkg-dev lintian file desktop-file-utils
  clang-format git
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
