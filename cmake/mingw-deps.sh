#!/bin/bash
# Cross-builds the third-party libraries the Windows build needs and installs
# them into PREFIX:
#   - expat, static, from Debian's upstream tarball (apt-get source);
#   - GoogleTest (gtest + gmock), static, from /usr/src/googletest.
#
#   mingw-deps.sh PREFIX
#
# PREFIX is normally <build>/deps; downloads and build trees go to
# <build>/deps-work (override with NODEXA_DEPS_WORK). A verified expat tarball
# in the cache folder (<build>/deps-work/cache, or NODEXA_DEPS_CACHE to share
# one between build trees) is reused without downloading. Downloading needs
# deb-src entries; when apt has none, the script (as root) adds deb-src twins
# of the configured Debian sources in /etc/apt/sources.list.d/ and runs
# apt-get update.
#
# Idempotent: a stamp in PREFIX records the inputs of the last good build, and
# nothing is done while they are unchanged. Any error ends the script non-zero.
set -Eeuo pipefail

EXPAT_TARBALL=expat_2.5.0.orig.tar.gz
EXPAT_SHA256=ab00ee05c7067fd10a35c5d2a4922ebba746ddd50ff83b79c828da17bbdf1757
GTEST_SOURCE=/usr/src/googletest
JOBS=2

die() {
    echo "mingw-deps.sh: error: $*" >&2
    exit 1
}
trap 'echo "mingw-deps.sh: error: command failed (line $LINENO): $BASH_COMMAND" >&2' ERR

if [ $# -ne 1 ] || [ -z "$1" ]; then
    die "usage: mingw-deps.sh PREFIX"
fi
script_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
toolchain=$script_dir/toolchain-mingw64.cmake
[ -f "$toolchain" ] || die "toolchain file not found: $toolchain"

mkdir -p "$1"
prefix=$(cd "$1" && pwd)
work=${NODEXA_DEPS_WORK:-$(dirname "$prefix")/deps-work}
mkdir -p "$work"
work=$(cd "$work" && pwd)
cache=${NODEXA_DEPS_CACHE:-$work/cache}
mkdir -p "$cache"

# Settings inherited from an outer build would leak into these sub-builds.
unset DESTDIR MAKEFLAGS MFLAGS CMAKE_GENERATOR CMAKE_TOOLCHAIN_FILE \
      CMAKE_BUILD_TYPE CMAKE_INSTALL_PREFIX CFLAGS CXXFLAGS LDFLAGS || true

# The stamp lists everything that decides what gets built.
stamp=$prefix/.nodexa-deps-stamp
owner=$prefix/.nodexa-deps-owner
stamp_text=$(
    echo "expat $EXPAT_TARBALL $EXPAT_SHA256"
    echo "googletest $(dpkg-query -W -f='${Version}' googletest 2>/dev/null || echo unknown)"
    echo "compiler $(x86_64-w64-mingw32-g++-posix -dumpfullversion 2>/dev/null || echo unknown)"
    sha256sum "${BASH_SOURCE[0]}" "$toolchain" | cut -d' ' -f1
)
if [ -f "$stamp" ] && [ "$(cat "$stamp")" = "$stamp_text" ]; then
    echo "mingw-deps.sh: up to date in $prefix"
    exit 0
fi

command -v x86_64-w64-mingw32-g++-posix >/dev/null ||
    die "x86_64-w64-mingw32-g++-posix not found (apt-get install g++-mingw-w64-x86-64-posix)"
[ -f "$GTEST_SOURCE/CMakeLists.txt" ] ||
    die "$GTEST_SOURCE not found (apt-get install googletest)"

# Start from an empty prefix so files of an older build cannot linger, but
# never wipe a folder this script did not create.
if [ -n "$(ls -A "$prefix")" ] && [ ! -f "$owner" ]; then
    die "$prefix is not empty and was not created by this script; refusing to overwrite it"
fi
find "$prefix" -mindepth 1 -delete
echo "created by cmake/mingw-deps.sh" >"$owner"

if command -v ninja >/dev/null; then
    generator=Ninja
else
    generator="Unix Makefiles"
fi

sha256_ok() {
    [ -f "$1" ] && [ "$(sha256sum "$1" | cut -d' ' -f1)" = "$EXPAT_SHA256" ]
}

# Makes 'apt-get source' possible: adds deb-src twins of the enabled Debian
# deb822 stanzas (and of classic 'deb' lines) in a separate sources file.
enable_deb_src() {
    if apt-cache showsrc expat 2>/dev/null | grep '^Package:' >/dev/null; then
        return 0
    fi
    [ "$(id -u)" -eq 0 ] || die "deb-src entries are missing and enabling them needs root; " \
        "run this once as root or put $EXPAT_TARBALL into $cache"
    local out=/etc/apt/sources.list.d/nodexa-deb-src.sources
    local src
    : >"$out.tmp"
    for src in /etc/apt/sources.list.d/*.sources; do
        if [ ! -f "$src" ] || [ "$src" = "$out" ]; then
            continue
        fi
        # Copy each enabled stanza that has Types: deb, as Types: deb-src.
        awk '
            function flush() {
                if (has_deb && enabled) { printf "%s\n", text }
                text = ""; has_deb = 0; enabled = 1
            }
            BEGIN { enabled = 1 }
            /^[ \t]*$/ { flush(); next }
            /^#/ { next }
            /^Types:/ {
                for (i = 2; i <= NF; i++) if ($i == "deb") has_deb = 1
                text = text "Types: deb-src\n"; next
            }
            /^Enabled:[ \t]*[Nn][Oo]/ { enabled = 0 }
            { text = text $0 "\n" }
            END { flush() }
        ' "$src" >>"$out.tmp"
    done
    if [ -f /etc/apt/sources.list ]; then
        local lines
        lines=$(sed -n 's/^[ \t]*deb[ \t]/deb-src /p' /etc/apt/sources.list)
        if [ -n "$lines" ]; then
            rm -f /etc/apt/sources.list.d/nodexa-deb-src.list
            echo "$lines" >/etc/apt/sources.list.d/nodexa-deb-src.list
        fi
    fi
    if [ -s "$out.tmp" ]; then
        mv "$out.tmp" "$out"
    else
        rm -f "$out.tmp"
    fi
    echo "mingw-deps.sh: enabled deb-src entries, running apt-get update"
    apt-get update
    apt-cache showsrc expat 2>/dev/null | grep '^Package:' >/dev/null ||
        die "apt still knows no source package 'expat' after enabling deb-src"
}

# --- expat tarball --------------------------------------------------------
tarball=$cache/$EXPAT_TARBALL
if sha256_ok "$tarball"; then
    echo "mingw-deps.sh: using cached $tarball"
else
    rm -f "$tarball"
    enable_deb_src
    download=$work/apt-source
    rm -rf "$download"
    mkdir -p "$download"
    # Only the upstream tarball is needed; the Debian packaging files may be
    # unavailable (e.g. a newer revision in the archive), so a partial
    # download is accepted as long as the tarball arrived intact.
    # As root, apt would try to hand the download folder to its '_apt' user
    # and warn that it cannot; download as the current user directly.
    apt_opts=()
    if [ "$(id -u)" -eq 0 ]; then
        apt_opts=(-o APT::Sandbox::User=root)
    fi
    if ! (cd "$download" && apt-get "${apt_opts[@]}" source --download-only expat); then
        echo "mingw-deps.sh: apt-get source reported errors; checking for the tarball" >&2
    fi
    sha256_ok "$download/$EXPAT_TARBALL" ||
        die "$EXPAT_TARBALL missing or its sha256 is not $EXPAT_SHA256"
    mv "$download/$EXPAT_TARBALL" "$tarball"
    rm -rf "$download"
fi

expat_src=$work/expat-src
rm -rf "$expat_src"
mkdir -p "$expat_src"
tar -xzf "$tarball" -C "$expat_src"
expat_cmake=$(find "$expat_src" -maxdepth 3 -path '*/expat/CMakeLists.txt' | head -n1)
[ -n "$expat_cmake" ] || die "no expat/CMakeLists.txt in $EXPAT_TARBALL"

# Configures, builds and installs one CMake project for Windows.
cross_build() {
    local name=$1 source=$2
    shift 2
    local build=$work/build-$name
    rm -rf "$build"
    echo "mingw-deps.sh: building $name"
    cmake -S "$source" -B "$build" -G "$generator" \
        -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
        -DNODEXA_DEPS_PREFIX="$prefix" \
        -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_INSTALL_PREFIX="$prefix" \
        -DBUILD_SHARED_LIBS=OFF \
        "$@"
    cmake --build "$build" --parallel "$JOBS"
    cmake --install "$build"
}

cross_build expat "$(dirname "$expat_cmake")" \
    -DEXPAT_SHARED_LIBS=OFF \
    -DEXPAT_BUILD_TESTS=OFF \
    -DEXPAT_BUILD_EXAMPLES=OFF \
    -DEXPAT_BUILD_TOOLS=OFF \
    -DEXPAT_BUILD_DOCS=OFF \
    -DEXPAT_BUILD_FUZZERS=OFF \
    -DEXPAT_BUILD_PKGCONFIG=ON

cross_build googletest "$GTEST_SOURCE" \
    -DBUILD_GMOCK=ON \
    -DINSTALL_GTEST=ON

rm -rf "$expat_src" "$work/build-expat" "$work/build-googletest"
echo "$stamp_text" >"$stamp"
echo "mingw-deps.sh: installed expat and GoogleTest into $prefix"
