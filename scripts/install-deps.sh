#!/usr/bin/env bash
# Installs the Debian packages that are missing:
#   scripts/install-deps.sh          what building and running the editor needs (./run.sh)
#   scripts/install-deps.sh --tests  that and what the tests, benchmarks and screenshots need (./test.sh)
set -euo pipefail

# Building and running the editor. Driver printing needs only the print
# system's client library (libcups), never its server.
editor_packages=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev
  libjpeg-dev libfreetype-dev libfontconfig-dev fonts-dejavu-core
  libcups2-dev
)

# The tests, benchmarks and screenshots, on top of the editor's packages.
# The tests run their own print server (cups) and read the jobs it spooled
# with poppler's tools.
test_packages=(
  clang python3
  libgtest-dev libgmock-dev libbenchmark-dev
  libzxing-dev xvfb libxcb1-dev
  cups poppler-utils
  # Photos are checked against what ImageMagick makes of the same file.
  imagemagick
  # The file tests set and compare ACLs with setfacl and getfacl.
  acl
)

packages=("${editor_packages[@]}")
case "${1:-}" in
  "") ;;
  --tests) packages+=("${test_packages[@]}") ;;
  *) echo "usage: $0 [--tests]" >&2; exit 2 ;;
esac

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
