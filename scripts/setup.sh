#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need, skipping
# those already present. Safe to run again.
set -euo pipefail

packages=(
  g++ make cmake pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev libgl-dev
  libsqlite3-dev
  libzip-dev zipcmp zipmerge ziptool libpugixml-dev libxlsxwriter-dev
  fonts-dejavu-core
)
if [ "${RAVELGRIT_EXTRA_PACKAGES:-}" != "" ]; then
  # shellcheck disable=SC2206
  packages+=(${RAVELGRIT_EXTRA_PACKAGES})
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
export DEBIAN_FRONTEND=noninteractive
# Another apt run (unattended upgrades on a fresh machine) may hold the lock: wait for it.
lock_wait=(-o DPkg::Lock::Timeout=900)
"${sudo_cmd[@]}" apt-get "${lock_wait[@]}" update -q
"${sudo_cmd[@]}" apt-get "${lock_wait[@]}" install -y -q --no-install-recommends "${missing[@]}"
