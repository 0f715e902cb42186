#!/usr/bin/env bash
# Installs the Debian packages that building and testing need, skipping those already there.
# Given package names, it installs just those instead.
set -euo pipefail

# fonts-liberation2 stands in for the Windows fonts that the window's layout is measured in.
packages=(g++ cmake ninja-build zlib1g-dev libdeflate-dev libfreeimage-dev qt6-base-dev
          libgtest-dev libgmock-dev libbenchmark-dev libcli11-dev libstb-dev fonts-liberation2)
[ $# -gt 0 ] && packages=("$@")

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
# Waits for another install on the same machine to finish instead of failing on its lock.
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends \
  -o DPkg::Lock::Timeout=600 "${missing[@]}"
