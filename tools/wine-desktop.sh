#!/usr/bin/env bash
# Runs a command beside Windows programs on a real X display: wine's X11
# driver (not the null driver) on an Xvfb server, in a wine prefix that is
# prepared for it, with an optional window manager. Whatever it started is
# ended again when the command ends, also when it fails or is interrupted:
# the prefix's wine server and programs, the window manager, the Xvfb server
# (only if this script started it) and the prefix (only if it made it).
#
#   tools/wine-desktop.sh [options] -- command [arguments...]
#
#   --display :N     the X display to use (required); an Xvfb server is
#                    started on it unless one already answers there;
#                    "auto" starts one on the first free display from :90
#   --screen WxHxD   the Xvfb screen (default 1280x1024x24)
#   --prefix DIR     use (and keep) this wine prefix, preparing it if it is
#                    new; by default a throw-away prefix is made under /tmp
#   --wm             start openbox on the display, for programs that need
#                    activation, focus or stacking handled as on a desktop
#
# The command sees DISPLAY and WINEPREFIX (and WINE: the wine loader to use)
# and typically runs `"$WINE" program.exe` in the background, drives it with
# xdotool and takes screenshots with `import -window root`. The command's
# exit status is the script's.
set -euo pipefail

display="" screen="1280x1024x24" prefix="" wm=0
while [ $# -gt 0 ]; do
    case "$1" in
        --display) display="$2"; shift 2 ;;
        --screen) screen="$2"; shift 2 ;;
        --prefix) prefix="$2"; shift 2 ;;
        --wm) wm=1; shift ;;
        --) shift; break ;;
        *) echo "wine-desktop: unknown option $1" >&2; exit 2 ;;
    esac
done
if [ -z "$display" ] || [ $# -eq 0 ]; then
    echo "usage: $0 --display :N [--screen WxHxD] [--prefix DIR] [--wm] -- command..." >&2
    exit 2
fi

xvfb_pid="" wm_pid="" made_prefix=0
cleanup() {
    local status=$?
    if [ -n "${WINEPREFIX:-}" ] && [ -d "$WINEPREFIX" ]; then
        # Only this prefix's server and the programs it runs.
        wineserver -k 2>/dev/null || true
        timeout 60 wineserver -w 2>/dev/null || true
    fi
    [ -n "$wm_pid" ] && kill "$wm_pid" 2>/dev/null && wait "$wm_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
    [ "$made_prefix" = 1 ] && rm -rf "$WINEPREFIX"
    exit "$status"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

unset WAYLAND_DISPLAY
start_xvfb() {
    Xvfb "$1" -screen 0 "$screen" -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 100); do
        xdpyinfo -display "$1" >/dev/null 2>&1 && return 0
        kill -0 "$xvfb_pid" 2>/dev/null || break
        sleep 0.1
    done
    kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
    xvfb_pid=""
    return 1
}
if [ "$display" = auto ]; then
    # A display nobody uses: no lock, no socket, no server answering (a
    # server in another file-system namespace may still hold the number,
    # then Xvfb fails and the next one is tried).
    for n in $(seq 90 199); do
        [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
        xdpyinfo -display ":$n" >/dev/null 2>&1 && continue
        start_xvfb ":$n" && { display=":$n"; break; }
    done
    [ "$display" = auto ] && { echo "wine-desktop: no free X display" >&2; exit 1; }
elif ! xdpyinfo -display "$display" >/dev/null 2>&1; then
    start_xvfb "$display" || { echo "wine-desktop: Xvfb did not start on $display" >&2; exit 1; }
fi
export DISPLAY="$display"

if [ "$wm" = 1 ]; then
    openbox --sm-disable >/dev/null 2>&1 &
    wm_pid=$!
fi

if [ -z "$prefix" ]; then
    prefix="$(mktemp -d "${TMPDIR:-/tmp}/glyphboard-wine-desktop-XXXXXX")"
    made_prefix=1
fi
export WINEPREFIX="$prefix" WINEDEBUG="${WINEDEBUG:--all}" WINEDLLOVERRIDES="mscoree,mshtml="
WINE=$("$(dirname "$0")/wine-loader.sh")
export WINE

if [ ! -f "$WINEPREFIX/system.reg" ]; then
    timeout 300 wineboot -i </dev/null >/dev/null 2>&1
    # A prefix that a headless run set to the null driver draws nothing.
    timeout 120 "$WINE" reg delete 'HKCU\Software\Wine\Drivers' /v Graphics /f </dev/null >/dev/null 2>&1 || true
    timeout 120 wineserver -w
fi
# Start wine's background services now, with no pipe of the command to inherit.
timeout 120 "$WINE" cmd /c exit </dev/null >/dev/null 2>&1

"$@"
