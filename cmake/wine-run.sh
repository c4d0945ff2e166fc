#!/bin/sh
# Runs a Windows program under Wine for the MinGW build (it is the toolchain's
# CMAKE_CROSSCOMPILING_EMULATOR) and exits with the program's exit code.
#
#   wine-run.sh PROGRAM [ARGS...]   run PROGRAM (a path, or a Wine builtin)
#   wine-run.sh --init              create/update the Wine prefix, then exit
#   wine-run.sh --wait-server       wait until the prefix's wineserver exits
#
# Each build tree gets its own Wine prefix so tests never touch ~/.wine:
# NODEXA_WINEPREFIX if set (CTest sets it), else <build>/wineprefix derived
# from the program living in <build>/bin. An ambient WINEPREFIX is ignored.
# NODEXA_WINEDEBUG overrides the default WINEDEBUG=-all when debugging.
set -eu

die() {
    echo "wine-run.sh: $*" >&2
    exit 125
}

mode="run"
case "${1-}" in
    --init) mode="init"; shift ;;
    --wait-server) mode="wait"; shift ;;
    --help|-h) sed -n '2,12p' "$0"; exit 0 ;;
    '') die "usage: wine-run.sh PROGRAM [ARGS...] | --init | --wait-server" ;;
esac

# A 64-bit loader is needed. Debian keeps wine64 outside PATH and puts a
# wrapper called 'wine' on it; other installs provide wine64 directly.
find_wine() {
    if [ -n "${NODEXA_WINE-}" ]; then echo "$NODEXA_WINE"; return; fi
    for candidate in wine64 /usr/lib/wine/wine64 wine; do
        if command -v "$candidate" >/dev/null 2>&1; then
            command -v "$candidate"
            return
        fi
    done
    die "no Wine loader found (looked for wine64, /usr/lib/wine/wine64, wine)"
}

find_wineserver() {
    if [ -n "${NODEXA_WINESERVER-}" ]; then echo "$NODEXA_WINESERVER"; return; fi
    for candidate in wineserver /usr/lib/wine/wineserver64 wineserver64; do
        if command -v "$candidate" >/dev/null 2>&1; then
            command -v "$candidate"
            return
        fi
    done
    die "no wineserver found"
}

if [ -n "${NODEXA_WINEPREFIX-}" ]; then
    prefix=$NODEXA_WINEPREFIX
elif [ "$mode" = run ] && [ "${1#*/}" != "$1" ]; then
    program_dir=$(cd "$(dirname "$1")" && pwd) || die "no such folder: $(dirname "$1")"
    prefix=$(dirname "$program_dir")/wineprefix
else
    die "set NODEXA_WINEPREFIX (no program path to derive the build tree from)"
fi
case "$prefix" in
    /*) ;;
    *) prefix=$(pwd)/$prefix ;;
esac

WINEPREFIX=$prefix
WINEARCH=win64
WINEDEBUG=${NODEXA_WINEDEBUG:--all}
# No Mono/Gecko install prompts, no menu entries or file associations in ~.
WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export WINEPREFIX WINEARCH WINEDEBUG WINEDLLOVERRIDES
# Headless: no windows or crash dialogs even when a display is around.
unset DISPLAY WAYLAND_DISPLAY

wine=$(find_wine)
wineserver=$(find_wineserver)

ready="$prefix/.nodexa-prefix-ready"

# Creates the prefix once. Several programs may start at the same moment on a
# fresh build tree (parallel tests, test discovery during the build), so the
# first one does the work under a lock and the others wait for it.
init_prefix() {
    [ -f "$ready" ] && return 0
    mkdir -p "$(dirname "$prefix")"
    if command -v flock >/dev/null 2>&1; then
        exec 9>"$prefix.lock"
        flock 9
    fi
    if [ ! -f "$ready" ]; then
        # Wine reports the prefix creation on stderr (and a harmless miss of
        # the 32-bit rundll32); keep that in a log unless something fails.
        log="$prefix.init.log"
        if ! { "$wine" wineboot -i &&
               "$wine" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog \
                   /t REG_DWORD /d 0 /f; } </dev/null >"$log" 2>&1; then
            cat "$log" >&2
            die "could not initialise the Wine prefix $prefix"
        fi
        : >"$ready"
    fi
    if command -v flock >/dev/null 2>&1; then
        exec 9>&-
    fi
}

case "$mode" in
    init)
        init_prefix
        ;;
    wait)
        # Returns at once when no server runs for this prefix.
        exec "$wineserver" -w
        ;;
    run)
        init_prefix
        exec "$wine" "$@"
        ;;
esac
