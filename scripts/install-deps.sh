#!/usr/bin/env bash
# Installs the Debian 12 packages that Ledgerwell needs, Qt's own translations among them. With
# --windows-checks also the mingw-w64 compiler, Ninja and Wine for the Windows checks. Skips apt
# when everything is present.
set -euo pipefail

# ansible (with python3-yaml) checks the Ansible playbook export against the win_service module
# that Debian's collection ships.
packages=(cmake make g++ qt6-base-dev qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools
          qt6-translations-l10n libgl-dev xvfb xauth ansible python3-yaml)
if [[ "${1:-}" == "--windows-checks" ]]; then
    packages+=(wine wine64 g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64 ninja-build)
fi

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" \
        || missing+=("$package")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

sudo=()
if [[ $(id -u) -ne 0 ]]; then
    sudo=(sudo)
fi
echo "Installing: ${missing[*]}"
"${sudo[@]}" apt-get update
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
