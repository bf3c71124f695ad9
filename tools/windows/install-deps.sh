#!/usr/bin/env bash
# Installs what the Windows build and its Wine-hosted tests need on a Debian machine, skipping
# every step that is already done (safe to run again; CI runs it as root on a fresh machine):
#
#   - the i686 mingw-w64 cross compiler, posix-threads variant (g++-mingw-w64-i686-posix);
#   - Wine with its 32-bit part (wine, wine32:i386) and the 64-bit part (wine64), whose native
#     wineserver and 64-bit prefix set-up keep the emulated work small;
#   - where the kernel does not run 32-bit executables itself (some virtual machines boot with
#     32-bit emulation disabled), a user-mode i386 emulator registered for 32-bit ELF files, so
#     that Wine's 32-bit loader runs anyway. It must honour MAP_FIXED_NOREPLACE (QEMU 8 or newer),
#     otherwise Wine spends minutes probing its address space at every start.
set -euo pipefail

export DEBIAN_FRONTEND=noninteractive
updated=0
apt_update() {
  if [ "$updated" = 0 ]; then
    apt-get update -qq
    updated=1
  fi
}

missing=()
is_installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }

if ! dpkg --print-foreign-architectures | grep -qx i386; then
  echo "install-deps: adding the i386 architecture"
  dpkg --add-architecture i386
  updated=0
fi

for pkg in g++-mingw-w64-i686-posix wine wine32:i386 wine64; do
  is_installed "$pkg" || missing+=("$pkg")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "install-deps: installing ${missing[*]}"
  apt_update
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# Can this kernel start a 32-bit executable by itself?
runs_i386() { /lib/ld-linux.so.2 --version >/dev/null 2>&1; }
if runs_i386; then
  exit 0
fi

qemu_major() {
  local v
  v=$(qemu-i386 --version 2>/dev/null | sed -n 's/^qemu-i386 version \([0-9]*\).*/\1/p')
  echo "${v:-0}"
}
if [ "$(qemu_major)" -lt 8 ]; then
  echo "install-deps: installing a user-mode i386 emulator (QEMU 8 or newer)"
  codename=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
  if [ "$codename" = bookworm ]; then
    # Debian 12's own QEMU 7.2 ignores MAP_FIXED_NOREPLACE; its backports carry a newer one.
    # The backports suite comes from the same archive as the machine's configured bookworm source.
    if ! grep -rqs "bookworm-backports" /etc/apt/sources.list /etc/apt/sources.list.d/; then
      apt_update
      archive=$(apt-get indextargets --format '$(REPO_URI)' "Codename: bookworm" \
        "Origin: Debian" "Target-Of: deb" | head -n 1)
      if [ -z "$archive" ]; then
        echo "install-deps: no Debian bookworm source is configured to take backports from" >&2
        exit 1
      fi
      cat >/etc/apt/sources.list.d/bookworm-backports.sources <<EOF
Types: deb
URIs: $archive
Suites: bookworm-backports
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
EOF
    fi
    updated=0
    apt_update
    apt-get install -y -qq --no-install-recommends -t bookworm-backports qemu-user-static >/dev/null
  else
    apt_update
    apt-get install -y -qq --no-install-recommends qemu-user-static >/dev/null
  fi
fi

binfmt=/proc/sys/fs/binfmt_misc
if [ ! -e "$binfmt/register" ]; then
  mount -t binfmt_misc binfmt_misc "$binfmt"
fi
emulator=$(readlink -f "$(command -v qemu-i386)")
if [ -e "$binfmt/qemu-i386" ] && ! grep -qx "interpreter $emulator" "$binfmt/qemu-i386"; then
  echo -1 >"$binfmt/qemu-i386"  # registered for another emulator binary: replace it
fi
if [ ! -e "$binfmt/qemu-i386" ]; then
  echo "install-deps: registering $emulator for 32-bit ELF executables"
  # ELF, 32-bit, little-endian, executable or shared object, machine i386. The F flag opens the
  # emulator now, so that it is found from any mount namespace.
  printf '%s' ':qemu-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:'"$emulator"':F' \
    >"$binfmt/register"
fi
runs_i386 || { echo "install-deps: 32-bit executables still do not start" >&2; exit 1; }
