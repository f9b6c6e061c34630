#!/bin/bash
# Compiles a help project with chmcmd: compile-chm.sh <chmcmd> <project folder> <project file>.
#
# chmcmd records the page of each context id (the project's [ALIAS] section) with the absolute path the page
# has on the build machine, and the help viewer then finds no such page inside the file. Run with the project
# folder as its root directory, that path is "/page.htm", which is the page's path inside the help file. So
# the compiler runs in a private root made of the project folder, the compiler and the C libraries it loads:
# as root with chroot, else in a user namespace (unshare) when the system allows one. Where neither works it
# runs as it is; the help file then opens by page but not by context id (the help tests report that).
set -u
chmcmd=$(readlink -f "$1")
project_dir=$2
project=$3
cd "$project_dir" || exit 1
output=$(sed -n 's/^Compiled file=\(.*\)$/\1/p' "$project" | tr -d '\r' | head -1)
[ -n "$output" ] || output=${project%.hhp}.chm

plain() {
    exec "$chmcmd" --no-html-scan --verbosity 1 "$project"
}

root=$(mktemp -d "${TMPDIR:-/tmp}/qvx-chm.XXXXXX") || plain
cleanup() { rm -rf "$root"; }
trap cleanup EXIT

# The compiler, the libraries the loader names and the thread libraries its runtime opens itself.
copy_into_root() {
    local file=$1
    [ -e "$file" ] || return 0
    mkdir -p "$root$(dirname "$file")"
    cp -L "$file" "$root$file"
}
copy_into_root "$chmcmd"
libs=$(ldd "$chmcmd" 2>/dev/null | grep -o '/[^ ]*' | sort -u)
for lib in $libs; do
    copy_into_root "$lib"
done
libc_dir=$(dirname "$(ldd "$chmcmd" 2>/dev/null | grep -o '/[^ ]*libc\.so\.6' | head -1)")
for extra in libpthread.so.0 libdl.so.2; do
    copy_into_root "$libc_dir/$extra"
done
cp -r ./. "$root/"

run_in_root() {
    (cd "$root" && "$@" "$root" "$chmcmd" --no-html-scan --verbosity 1 "/$project") || return 1
    [ -f "$root/$output" ] || return 1
}
if { [ "$(id -u)" = 0 ] && run_in_root chroot; } || run_in_root unshare --user --map-root-user chroot; then
    cp "$root/$output" .
    exit 0
fi
echo "compile-chm.sh: no private root available; context ids will name build-machine paths" >&2
rm -rf "$root"
trap - EXIT
plain
