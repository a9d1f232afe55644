#!/usr/bin/env bash
# Tries the README's two commands as a new user would: on a new Debian 12 root made with
# debootstrap, from a clean copy of the committed tree (HEAD), with nothing installed beforehand.
# Prints how long each command took and how many packages each installed. Run as root.
#   tools/check-fresh-debian.sh [--tests] <new root folder>
# Without --tests only the first command runs (set-up, build, `vollmark --version`); with it the
# second one (tools/run-tests.sh: test bench, ci build, every test) runs after it. /proc, /sys and
# /dev are bound into the root for the second one's mount and wine tests.
set -euo pipefail
cd "$(dirname "$0")/.."

with_tests=0
if [[ ${1:-} == --tests ]]; then with_tests=1; shift; fi
if [[ $# -ne 1 ]]; then
    echo "usage: $0 [--tests] <new root folder>" >&2
    exit 2
fi
root=$1
if [[ -e $root ]]; then
    echo "$0: $root exists; give a folder that does not" >&2
    exit 2
fi
if ((EUID != 0)); then
    echo "$0: run as root (debootstrap and chroot)" >&2
    exit 2
fi
if ! command -v debootstrap >/dev/null; then
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends debootstrap
fi

# The mirror this machine's apt uses, so the new root sees the same archive.
mirror=$({ cat /etc/apt/sources.list /etc/apt/sources.list.d/*.sources 2>/dev/null || true; } |
    sed -nE 's/^deb +(\[[^]]*\] +)?([^ ]+) +bookworm .*/\2/p; s/^URIs: +([^ ]+\/debian)$/\1/p' |
    head -n1)
mirror=${mirror:-http://deb.debian.org/debian}

seconds() { # command... : runs it and prints its wall time in seconds to fd 3
    local start=$EPOCHSECONDS
    "$@" || return
    echo $((EPOCHSECONDS - start)) >&3
}

echo "== debootstrap bookworm $root $mirror"
debootstrap bookworm "$root" "$mirror" >"$root.debootstrap.log" 2>&1 ||
    { echo "$0: debootstrap failed, see $root.debootstrap.log" >&2; exit 1; }
# The same suites as this machine (updates and security), where it lists them.
for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list /etc/apt/sources.list.d/*.sources; do
    if [[ -s $f ]] && grep -q '/debian' "$f" && grep -qE '^(deb |Types: deb$)' "$f"; then
        cp "$f" "$root$f"
    fi
done
cp /etc/resolv.conf "$root/etc/resolv.conf"

mkdir "$root/root/vollmark"
git archive HEAD | tar -x -C "$root/root/vollmark"

mounted=()
cleanup() {
    for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do umount -l "${mounted[i]}" || true; done
}
trap cleanup EXIT
for m in proc sys dev; do
    mount --rbind "/$m" "$root/$m"
    mount --make-rslave "$root/$m"
    mounted+=("$root/$m")
done

in_root() { # command line, run by bash in the new root as a new root login would
    chroot "$root" /usr/bin/env -i HOME=/root TERM=dumb \
        PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
        bash -c "cd /root/vollmark && $1"
}
packages() { chroot "$root" dpkg-query -W -f='${Status}\n' | grep -c 'install ok installed'; }

base=$(packages)
echo "== first command, set-up: bash tools/setup-debian.sh"
setup_s=$(seconds in_root 'bash tools/setup-debian.sh' 3>&1 >"$root.setup.log" 2>&1) ||
    { echo "FAIL: set-up, see $root.setup.log" >&2; exit 1; }
after_setup=$(packages)
echo "== first command, build: cmake --preset default && cmake --build --preset default"
build_s=$(seconds in_root 'cmake --preset default && nice cmake --build --preset default' \
    3>&1 >"$root.build.log" 2>&1) || { echo "FAIL: build, see $root.build.log" >&2; exit 1; }
version=$(in_root 'build/default/app/vollmark --version') ||
    { echo "FAIL: vollmark --version" >&2; exit 1; }
echo "packages: $base after debootstrap, $((after_setup - base)) installed by the set-up"
echo "set-up ${setup_s} s, build ${build_s} s, first command $((setup_s + build_s)) s in all"
echo "vollmark --version: $version"

if ((!with_tests)); then exit 0; fi
echo "== second command: bash tools/run-tests.sh"
tests_s=$(seconds in_root 'nice bash tools/run-tests.sh' 3>&1 >"$root.tests.log" 2>&1) ||
    { echo "FAIL: second command, see $root.tests.log" >&2; exit 1; }
echo "second command ${tests_s} s, $(($(packages) - after_setup)) packages installed by it"
grep -E 'tests passed|tests failed' "$root.tests.log"
