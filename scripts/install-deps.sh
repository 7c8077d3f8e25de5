#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing need.
# Runs apt-get only when something is missing; uses sudo when not root.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config binutils
  libcairo2-dev libfontconfig-dev nlohmann-json3-dev libcli11-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  fontconfig fonts-dejavu-core fonts-dseg fonts-roboto-unhinted
)

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
