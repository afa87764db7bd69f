#!/usr/bin/env bash
# Builds PCRE2's 16-bit static library for the win32 preset with the MinGW toolchain, from
# Debian's source package, into .deps/pcre2-mingw (or the folder given): Debian ships no
# MinGW build of it. Run as root (it may add deb-src entries); does nothing when the library
# is already there (the version built is in tesvo-pcre2-version beside it).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
prefix=${1:-$root/.deps/pcre2-mingw}

[ -f "$prefix/tesvo-pcre2-version" ] && [ -f "$prefix/LICENCE" ] && exit 0

# apt-get source unpacks with dpkg-source.
if ! dpkg-query -W -f '${Status}' dpkg-dev 2>/dev/null | grep -q 'install ok installed'; then
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends dpkg-dev
fi

# Source entries for this release's archives, in files of their own: each "deb" entry of the
# release copied as "deb-src" with its options (apt wants the same Signed-By for both).
add_source_entries() {
    . /etc/os-release
    local release="^$VERSION_CODENAME(-|\$)" d=/etc/apt/sources.list.d
    shopt -s nullglob
    rm -f $d/tesvo-src.*
    # One-line entries: deb [options] URI SUITE COMPONENT... (the pattern drops a missing
    # sources.list)
    cat /dev/null /etc/apt/sources.lis[t] $d/*.list | awk -v r="$release" '$1 == "deb" {
        for (i = 2; i < NF && $i !~ /:\/\//; i++) {}
        if ($(i + 1) ~ r) { sub(/^deb/, "deb-src"); print } }' > $d/tesvo-src.list
    # deb822 stanzas: Types, URIs, Suites, Components, Signed-By...
    cat /dev/null $d/*.sources | awk -v RS= -v r="$release" '
        /(^|\n)Types:([^\n]* )?deb( |\n|$)/ && !/(^|\n)Enabled: *no/ {
            n = split($0, line, "\n"); ours = 0; out = ""
            for (i = 1; i <= n; i++) {
                if (line[i] ~ /^#/) continue
                if (line[i] ~ /^Types:/) line[i] = "Types: deb-src"
                if (line[i] ~ /^Suites:/)
                    for (k = split(line[i], w, " "); k > 1; k--) if (w[k] ~ r) ours = 1
                out = out line[i] "\n"
            }
            if (ours) print out }' > $d/tesvo-src.sources.new
    mv $d/tesvo-src.sources.new $d/tesvo-src.sources
    [ -s $d/tesvo-src.list ] || rm $d/tesvo-src.list
    [ -s $d/tesvo-src.sources ] || rm $d/tesvo-src.sources
    apt-get update -qq || { rm -f $d/tesvo-src.*; return 1; }
}
apt-get indextargets --format '$(TARGET_OF)' | grep -qx deb-src || add_source_entries

work=$(mktemp -d /tmp/tesvo-pcre2.XXXXXX)
trap 'rm -rf "$work"' EXIT
# apt downloads as its own user, who must be able to write there.
chmod 755 "$work" && chown _apt "$work" 2>/dev/null || true
# The native build's version first, so that both builds run the same library; then the
# others the archives offer (a mirror may lack the security archive's sources).
installed=$(dpkg-query -W -f '${source:Version}' libpcre2-dev)
for version in $installed $(apt-cache showsrc pcre2 | awk '$1 == "Version:" { print $2 }' |
    sort -rV); do
    (cd "$work" && apt-get source -qq "pcre2=$version" >/dev/null 2>&1) && break
    rm -rf "${work:?}"/*
done
source_dir=$(find "$work" -mindepth 1 -maxdepth 1 -type d -name 'pcre2-*')
[ -n "$source_dir" ] || { echo "no source package of PCRE2 could be fetched" >&2; exit 1; }

cmake -S "$source_dir" -B "$work/build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DPCRE2_BUILD_PCRE2_8=OFF -DPCRE2_BUILD_PCRE2_16=ON -DBUILD_SHARED_LIBS=OFF \
    -DPCRE2_BUILD_TESTS=OFF -DPCRE2_BUILD_PCRE2GREP=OFF >/dev/null
cmake --build "$work/build" >/dev/null
rm -rf "$prefix"
cmake --install "$work/build" >/dev/null
# Tesvo.exe carries the library, so its licence travels with the program.
cp "$source_dir/LICENCE" "$prefix/LICENCE"
echo "$version" > "$prefix/tesvo-pcre2-version"
echo "PCRE2 $version for MinGW (16-bit, static) in $prefix"
