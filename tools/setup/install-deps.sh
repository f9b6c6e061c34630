#!/usr/bin/env bash
# Installs everything the Quorvex build and tests need on a Debian 12 machine.
# Idempotent: a second run only checks and returns.
# Needs root (apt-get). Third-party libraries built from source go to
# ${QVX_DEPS:-/opt/quorvex-deps}.
set -euo pipefail

DEPS=${QVX_DEPS:-/opt/quorvex-deps}
here=$(cd "$(dirname "$0")" && pwd)
# The product is 32-bit; hosts that cannot run 32-bit code test a 64-bit build.
ARCH=$(bash "$here/host-arch.sh")

log() { printf '[deps] %s\n' "$*"; }

as_root() {
    if [ "$(id -u)" = 0 ]; then "$@"; else sudo "$@"; fi
}

# --- apt packages ----------------------------------------------------------
PKGS=(
    g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix binutils-mingw-w64-i686
    mingw-w64-i686-dev libz-mingw-w64-dev
    g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev
    wine xvfb xauth fonts-wine x11-utils
    cmake ninja-build make dpkg-dev pkg-config
    clang-14 lld-14 python3 fp-utils-3.2.2
)

if [ "$ARCH" = i686 ]; then
    PKGS+=(wine32:i386)
else
    PKGS+=(wine64)
fi

missing=()
for p in "${PKGS[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

need_src=0
if ! grep -rqs 'deb-src' /etc/apt/sources.list /etc/apt/sources.list.d/; then
    need_src=1
fi

if [ ${#missing[@]} -gt 0 ] || [ $need_src = 1 ] || ! dpkg --print-foreign-architectures | grep -qx i386; then
    log "installing: ${missing[*]:-(sources only)}"
    dpkg --print-foreign-architectures | grep -qx i386 || as_root dpkg --add-architecture i386
    if [ $need_src = 1 ]; then
        as_root tee /etc/apt/sources.list.d/quorvex-deb-src.sources >/dev/null <<'SRC'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SRC
    fi
    as_root apt-get update -qq
    DEBIAN_FRONTEND=noninteractive as_root apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

as_root mkdir -p "$DEPS"

# --- libpng (Debian source package, static, for each target) ---------------
# Both targets on every host: both trees compile everywhere, whichever one the tests run in.
targets=(i686-w64-mingw32 x86_64-w64-mingw32)
for TARGET in "${targets[@]}"; do
command -v ${TARGET}-g++-posix >/dev/null || { echo "missing ${TARGET}-g++-posix" >&2; exit 1; }
if [ ! -f "$DEPS/$TARGET/lib/libpng16.a" ]; then
    log "building libpng for $TARGET"
    work=$(mktemp -d)
    ( cd "$work" && apt-get source -qq libpng1.6 >/dev/null 2>&1 )
    src=$(find "$work" -maxdepth 1 -type d -name 'libpng1.6-*' | head -n 1)
    [ -n "$src" ] || { echo "apt-get source libpng1.6 failed" >&2; exit 1; }
    cmake -S "$src" -B "$work/build" -G Ninja \
        -DCMAKE_SYSTEM_NAME=Windows \
        -DCMAKE_C_COMPILER=${TARGET}-gcc-posix \
        -DCMAKE_RC_COMPILER=${TARGET}-windres \
        -DCMAKE_FIND_ROOT_PATH=/usr/${TARGET} \
        -DCMAKE_FIND_ROOT_PATH_MODE_LIBRARY=ONLY \
        -DCMAKE_FIND_ROOT_PATH_MODE_INCLUDE=ONLY \
        -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_C_FLAGS="-msse2 -mfpmath=sse" \
        -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF -DPNG_EXECUTABLES=OFF \
        -DSKIP_INSTALL_PROGRAMS=ON -DSKIP_INSTALL_FILES=ON \
        -DCMAKE_INSTALL_PREFIX="$DEPS/$TARGET" >"$work/configure.log" 2>&1 \
        || { cat "$work/configure.log" >&2; exit 1; }
    cmake --build "$work/build" >"$work/build.log" 2>&1 || { tail -n 50 "$work/build.log" >&2; exit 1; }
    cmake --install "$work/build" >/dev/null
    rm -rf "$work"
fi
done

# --- GoogleTest sources ------------------------------------------------------
# Built for the target by the project itself (add_subdirectory), from the
# Debian sources under /usr/src/googletest.
if [ ! -f /usr/src/googletest/CMakeLists.txt ]; then
    log "installing googletest sources"
    DEBIAN_FRONTEND=noninteractive as_root apt-get install -y -qq googletest >/dev/null
fi

log "ok (tests run as $ARCH)"
