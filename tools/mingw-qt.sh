#!/bin/sh
# Makes sure the static Qt for mingw-w64 of tools/build-mingw-qt.sh is in its cache folder and
# prints that folder's path as the last line (messages go to standard error):
#
#   1. the cache folder, when it is complete;
#   2. else the archive $VOLLMARK_QT_ARCHIVES/<folder name>.tar.zst, checked against the
#      SHA256SUMS file beside it and unpacked into the cache (seconds);
#   3. else a build by tools/build-mingw-qt.sh (about an hour on 2 cores), after one line saying
#      why no archive served; with --no-build, that line and exit code 3 instead.
#
# An archive is the complete cache folder packed from the cache:
#   tar --zstd -cf mingw-qt-<version>-<hash>.tar.zst -C ~/.cache/vollmark mingw-qt-<version>-<hash>
#   sha256sum mingw-qt-<version>-<hash>.tar.zst >>SHA256SUMS
# Like the build script it honours VOLLMARK_CACHE (default ~/.cache/vollmark).
set -eu
build=true
case ${1:-} in
'') ;;
--no-build) build=false ;;
*) echo "usage: $0 [--no-build]" >&2; exit 2 ;;
esac

build_script=$(dirname "$0")/build-mingw-qt.sh
prefix=$(sh "$build_script" --prefix)
if [ -f "$prefix/.complete" ]; then
    echo "$prefix"
    exit 0
fi

cache=$(dirname "$prefix")
name=$(basename "$prefix")
archives=${VOLLMARK_QT_ARCHIVES:-}
archive=$archives/$name.tar.zst

# Prints why the archive cannot serve, or nothing when it can.
archive_problem() {
    if [ -z "$archives" ]; then
        echo "no archive folder (VOLLMARK_QT_ARCHIVES is not set)"
    elif [ ! -d "$archives" ]; then
        echo "no archive folder $archives"
    elif [ ! -f "$archive" ]; then
        echo "no archive $name.tar.zst in $archives"
    else
        # sha256sum writes "<hash>  <name>" or "<hash> *<name>" for binary mode.
        expected=$(awk -v file="$name.tar.zst" '$2 == file || $2 == "*" file { print $1; exit }' \
            "$archives/SHA256SUMS" 2>/dev/null || true)
        if [ -z "$expected" ]; then
            echo "no checksum for $name.tar.zst in $archives/SHA256SUMS"
        else
            actual=$(sha256sum "$archive" | cut -d' ' -f1)
            if [ "$actual" != "$expected" ]; then
                echo "the checksum of $archive ($actual) does not match SHA256SUMS ($expected)"
            fi
        fi
    fi
}

# Unpacks beside the cache folder and renames, so that an interrupted unpack never leaves a
# folder that looks complete. The build script's lock keeps a build and an unpack apart.
unpack() {
    mkdir -p "$cache/src"
    (
        flock 9
        [ -f "$prefix/.complete" ] && exit 0
        staging=$(mktemp -d "$cache/.unpack-$name.XXXXXX")
        trap 'rm -rf "$staging"' EXIT
        if ! tar --zstd -xf "$archive" --no-same-owner -C "$staging" "$name"; then
            echo "$0: unpacking $archive failed" >&2
            exit 1
        fi
        if [ ! -f "$staging/$name/.complete" ]; then
            echo "$0: $archive holds no complete $name folder" >&2
            exit 1
        fi
        rm -rf "$prefix"
        mv "$staging/$name" "$prefix"
    ) 9>"$cache/src/.lock"
}

problem=$(archive_problem)
if [ -z "$problem" ]; then
    echo "$0: unpacking $archive into $cache" >&2
    if unpack; then
        echo "$prefix"
        exit 0
    fi
    problem="the archive did not unpack"
fi
if ! $build; then
    echo "$0: no Qt for mingw in $prefix: $problem" >&2
    exit 3
fi
echo "$0: building the Qt for mingw: $problem" >&2
sh "$build_script" >&2
echo "$prefix"
