#!/usr/bin/env bash
# Installs the Debian 12 packages Vollmark needs. Run as root; it only calls apt-get when
# something is missing, so a second run costs a second.
#   setup-debian.sh          what building and running Vollmark need (the default preset)
#   setup-debian.sh --tests  that, and the test bench: what the ci, asan, mingw and package
#                            presets and their tests need, with the test locales
set -euo pipefail

with_tests=0
case ${1:-} in
    '') ;;
    --tests) with_tests=1 ;;
    *) echo "usage: $0 [--tests]" >&2; exit 2 ;;
esac

# Building and running: `cmake --preset default && cmake --build --preset default` and the
# program it builds. Nothing here is needed only by a test.
build_packages=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-base-dev-tools libgl-dev libpng-dev libjpeg-dev libxcb1-dev
    # translations: lupdate and lrelease with their CMake functions
    qt6-l10n-tools qt6-tools-dev
    # the xcb platform plugin the window loads
    qt6-qpa-plugins
    # fonts with the narrow metrics the row layout assumes
    fonts-wine fonts-dejavu-core
    # the usage history
    libsqlite3-dev
)

# The test bench: tests, benchmarks, CI's checks and the Windows cross-build. Nothing the
# default build or the program needs belongs here.
test_packages=(
    # the format check, GoogleTest (with its sources for the cross-build), Google Benchmark
    clang-format libgtest-dev googletest libbenchmark-dev
    # CI's compiler cache, kept between runs on the same machine
    ccache
    # Linux layer tests: real mounts in a private namespace, and the numeric locales
    libfuse3-dev fuse3 squashfs-tools e2fsprogs util-linux coreutils locales
    # end-to-end window test and screenshots
    xvfb xauth openbox xcompmgr x11-utils wmctrl xdotool imagemagick
    # Wayland test: weston and Xwayland, and Qt's Wayland plugin (the program runs without it)
    weston xwayland qt6-wayland
    # the Debian package and its checks
    dpkg-dev file lintian desktop-file-utils appstream man-db groff-base bash-completion
    # screen-reader test: the accessibility bus and a reader of its tree
    dbus-daemon at-spi2-core python3-gi gir1.2-atspi-2.0
    # Windows cross-build, tested under wine; its installer; tclsh generates the SQLite it links
    g++-mingw-w64-x86-64-posix wine64 nsis tcl
    # measuring the command-line tool against df, and the folder scan against du's peers
    hyperfine strace time ncdu gdu
    # usage history: its shell, faketime, promtool, node-exporter and systemd
    sqlite3 faketime prometheus prometheus-node-exporter systemd curl
    # warnings: a real notification server to send them to
    dunst
)

packages=("${build_packages[@]}")
if ((with_tests)); then packages+=("${test_packages[@]}"); fi

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

if ((!with_tests)); then exit 0; fi

# The numeric locales the separator tests read; a test skips a locale that is missing.
locales_generated=0
for l in uk_UA de_DE fr_FR; do
    locale -a 2>/dev/null | grep -qix "$l.utf8" && continue
    grep -qx "$l.UTF-8 UTF-8" /etc/locale.gen || echo "$l.UTF-8 UTF-8" >> /etc/locale.gen
    locales_generated=1
done
if ((locales_generated)); then locale-gen; fi
