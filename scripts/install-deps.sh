#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, when missing.
set -euo pipefail

packages=(
  g++ clang cmake ninja-build pkg-config python3
  qt6-base-dev libgtest-dev libgmock-dev libbenchmark-dev
  libjpeg-dev libfreetype-dev libfontconfig-dev fonts-dejavu-core
  libzxing-dev xvfb libxcb1-dev
  # Driver printing talks to the print system with libcups; the tests run
  # their own cupsd and read the jobs it spooled with poppler's tools.
  libcups2-dev cups poppler-utils
  # Photos are checked against what ImageMagick makes of the same file.
  imagemagick
  # The file tests set and compare ACLs with setfacl and getfacl.
  acl
)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo_cmd=()
  if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq "${missing[@]}"
fi
