#!/usr/bin/env bash
# Installs the Debian packages listed in debian-packages.txt that are missing.
# As root it runs apt-get; otherwise it prints the line to run and fails.
set -euo pipefail
list="$(dirname "$0")/debian-packages.txt"
missing=()
while read -r package _; do
  [[ -z "$package" || "$package" == \#* ]] && continue
  status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$package")
done < "$list"
[[ ${#missing[@]} -eq 0 ]] && exit 0
if [[ $(id -u) -eq 0 ]]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
else
  echo "Missing Debian packages. Run as root:" >&2
  echo "  apt-get install -y ${missing[*]}" >&2
  exit 1
fi
