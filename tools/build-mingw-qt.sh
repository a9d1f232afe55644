#!/bin/sh
# Builds a static Qt (Core, Gui, Widgets, Windows platform plugin) for x86_64-w64-mingw32 from
# Debian's own source package of the host's qt6-base, and a static SQLite beside it from the
# source package of the host's libsqlite3-dev, for the `windows` preset.
#
#   tools/build-mingw-qt.sh            build unless the cache folder exists, print its path last
#   tools/build-mingw-qt.sh --prefix   only print the cache folder's path
#
# The result goes to $VOLLMARK_CACHE (default ~/.cache/vollmark)/mingw-qt-<version>-<hash>, where
# <hash> is this script's own, so that any change of options builds a fresh Qt. The source and the
# build tree live in $VOLLMARK_CACHE/src; with the shared compiler cache a rebuild is cheap.
# libpng and libjpeg, which the program calls itself, are Qt's bundled copies: Qt installs their
# static libraries beside its own, and this script adds their headers under include/vollmark-3rdparty
# and the licences of all it links under share/vollmark-licenses.
# Host tools (moc, rcc, uic) are Debian's, from qt6-base-dev-tools, which must be the same version.
set -eu

triplet=x86_64-w64-mingw32
cache=${VOLLMARK_CACHE:-$HOME/.cache/vollmark}
debversion=$(dpkg-query -W -f='${Version}' qt6-base-dev)
version=${debversion%%+*}
version=${version#*:}
hash=$(sha256sum "$0" | cut -c1-12)
prefix=$cache/mingw-qt-$version-$hash

if [ "${1:-}" = --prefix ]; then
    echo "$prefix"
    exit 0
fi
if [ -f "$prefix/.complete" ]; then
    echo "$prefix"
    exit 0
fi

for tool in $triplet-gcc-posix $triplet-g++-posix cmake ninja dpkg-source tclsh make cc; do
    command -v "$tool" >/dev/null || { echo "$0: $tool is missing" >&2; exit 1; }
done

src=$cache/src
mkdir -p "$src"
# Two runs at once (two checkouts, two CI jobs) take turns; the second finds the first's result.
exec 9>"$src/.lock"
flock 9
if [ -f "$prefix/.complete" ]; then
    echo "$prefix"
    exit 0
fi
# Unpacks Debian's source package <package>=<version> into <folder> once, adding a deb-src
# entry for the machine's suite where there is none.
fetch_source() { # package version folder
    [ -f "$3/.fetched" ] && return 0
    if ! grep -rqs -e '^deb-src' -e '^Types:.*deb-src' /etc/apt/sources.list /etc/apt/sources.list.d/; then
        suite=$(. /etc/os-release && echo "$VERSION_CODENAME")
        echo "$0: no deb-src entry; adding /etc/apt/sources.list.d/vollmark-deb-src.sources for $suite" >&2
        cat >/etc/apt/sources.list.d/vollmark-deb-src.sources <<EOF
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: $suite $suite-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
EOF
        apt-get update -qq
    fi
    rm -rf "$3"
    (cd "$src" && apt-get source -q "$1=$2")
    touch "$3/.fetched"
}

srcdir=$src/qt6-base-${debversion#*:}
srcdir=${srcdir%-*}
fetch_source qt6-base "$debversion" "$srcdir"

# One build tree at a fixed path, and paths under the cache folder hashed relative to it, so that
# the compiler cache recognises every command of an earlier build, whatever the home folder.
build=$src/build-mingw
export CCACHE_BASEDIR="$cache"
rm -rf "$build" "$prefix"
mkdir -p "$build"
cat >"$build/toolchain.cmake" <<EOF
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER $triplet-gcc-posix)
set(CMAKE_CXX_COMPILER $triplet-g++-posix)
set(CMAKE_RC_COMPILER $triplet-windres)
set(CMAKE_FIND_ROOT_PATH /usr/$triplet)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
EOF

# Off: what the program never uses. tabletevent needs src/3rdparty/wintab, which Debian's source
# lacks. OpenGL (desktop) and Direct2D stay on: 6.4.2's Windows plugin does not build without
# them, and they only import system DLLs. ICO stays on: the information window's type pictures
# are icon files.
cmake -S "$srcdir" -B "$build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$build/toolchain.cmake" \
    -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DQT_HOST_PATH=/usr \
    -DQT_HOST_PATH_CMAKE_DIR="/usr/lib/$(dpkg-architecture -qDEB_HOST_MULTIARCH)/cmake" \
    -DBUILD_SHARED_LIBS=OFF \
    -DBUILD_WITH_PCH=OFF \
    -DQT_USE_CCACHE="$(command -v ccache >/dev/null && echo ON || echo OFF)" \
    -DQT_BUILD_EXAMPLES=OFF \
    -DQT_BUILD_TESTS=OFF \
    -DQT_BUILD_BENCHMARKS=OFF \
    -DFEATURE_pkg_config=OFF \
    -DFEATURE_network=OFF \
    -DFEATURE_sql=OFF \
    -DFEATURE_dbus=OFF \
    -DFEATURE_testlib=OFF \
    -DFEATURE_printsupport=OFF \
    -DFEATURE_concurrent=OFF \
    -DFEATURE_xml=OFF \
    -DFEATURE_tabletevent=OFF \
    -DFEATURE_vulkan=OFF \
    -DFEATURE_opengl=ON \
    -DINPUT_opengl=desktop \
    -DFEATURE_direct2d=ON \
    -DFEATURE_icu=OFF \
    -DFEATURE_zstd=OFF \
    -DFEATURE_glib=OFF \
    -DFEATURE_jpeg=ON \
    -DFEATURE_gif=OFF \
    -DFEATURE_ico=ON \
    -DFEATURE_system_zlib=OFF \
    -DFEATURE_system_png=OFF \
    -DFEATURE_system_jpeg=OFF \
    -DFEATURE_system_pcre2=OFF \
    -DFEATURE_system_harfbuzz=OFF \
    -DFEATURE_system_freetype=OFF \
    -DFEATURE_system_doubleconversion=OFF

cmake --build "$build" --parallel "${VOLLMARK_JOBS:-2}"
cmake --install "$build"

thirdparty=$prefix/include/vollmark-3rdparty
mkdir -p "$thirdparty"
for header in png.h pngconf.h pnglibconf.h; do
    cp "$srcdir/src/3rdparty/libpng/$header" "$thirdparty/"
done
for header in jpeglib.h jerror.h jconfig.h jmorecfg.h; do
    cp "$srcdir/src/3rdparty/libjpeg/src/$header" "$thirdparty/"
done

# The licences of everything the static libraries carry, for the installer to ship. Qt itself
# is taken under the LGPL 3, which is the GPL 3 with additional permissions.
licenses=$prefix/share/vollmark-licenses
mkdir -p "$licenses"
while read -r name file; do
    cp "$srcdir/$file" "$licenses/$name"
done <<EOF
Qt-LGPL-3.0-only.txt LICENSES/LGPL-3.0-only.txt
Qt-GPL-3.0-only.txt LICENSES/GPL-3.0-only.txt
zlib.txt src/3rdparty/zlib/LICENSE
libpng.txt src/3rdparty/libpng/LICENSE
libjpeg-turbo.txt src/3rdparty/libjpeg/LICENSE
libjpeg-ijg.txt src/3rdparty/libjpeg/ijg-license.txt
freetype-FTL.txt src/3rdparty/freetype/docs/FTL.TXT
harfbuzz.txt src/3rdparty/harfbuzz-ng/COPYING
pcre2.txt src/3rdparty/pcre2/LICENCE
double-conversion.txt src/3rdparty/double-conversion/LICENSE
md4c.txt src/3rdparty/md4c/LICENSE.md
EOF
rm -rf "$build"

# SQLite for the history. Its source package holds the source tree, not the one-file
# amalgamation, so the amalgamation is generated with host tools (tclsh and a native compiler for
# its generators) and only that file is cross-compiled. Debian's patches are applied, as in the
# host library. Its licence is a dedication to the public domain.
sqlite_version=$(dpkg-query -W -f='${Version}' libsqlite3-dev)
sqlite_src=$src/sqlite3-${sqlite_version%%-*}
fetch_source sqlite3 "$sqlite_version" "$sqlite_src"
sqlite_build=$src/build-sqlite
rm -rf "$sqlite_build"
mkdir -p "$sqlite_build"
(cd "$sqlite_build" && "$sqlite_src/configure" --disable-tcl >/dev/null && make -s sqlite3.c)
$triplet-gcc-posix -O2 -DSQLITE_THREADSAFE=1 -DSQLITE_OMIT_LOAD_EXTENSION \
    -c "$sqlite_build/sqlite3.c" -o "$sqlite_build/sqlite3.o"
$triplet-ar rcs "$prefix/lib/libsqlite3.a" "$sqlite_build/sqlite3.o"
cp "$sqlite_build/sqlite3.h" "$prefix/include/"
cp "$sqlite_src/LICENSE.md" "$licenses/sqlite.md"
rm -rf "$sqlite_build"
touch "$prefix/.complete"
echo "$prefix"
