#!/usr/bin/env bash
# Installs everything both builds and their tests need on Debian 12, as root. Idempotent.
set -euo pipefail

packages=(cmake ninja-build g++ pkg-config googletest libgtest-dev libgmock-dev
          libbenchmark-dev libpcre2-dev g++-mingw-w64-i686 binutils-mingw-w64-i686
          wine wine32:i386 xvfb x11-apps imagemagick locales clang-format
          clang libclang-rt-14-dev fonts-wqy-microhei)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if ((${#missing[@]})); then
    dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# Wine takes its ANSI code page (936) from LC_ALL=zh_CN.UTF-8, and it can only create files
# with GBK names when that glibc locale exists.
if ! locale -a 2>/dev/null | grep -qi '^zh_CN\.utf8$'; then
    grep -qx 'zh_CN.UTF-8 UTF-8' /etc/locale.gen 2>/dev/null || echo 'zh_CN.UTF-8 UTF-8' >> /etc/locale.gen
    locale-gen >/dev/null
fi

# The win32 preset's PCRE2 (for the regex fallback where VBScript is missing), built from
# Debian's source package: Debian has no MinGW build of it.
bash "$(dirname "$0")/build-pcre2-mingw.sh"
