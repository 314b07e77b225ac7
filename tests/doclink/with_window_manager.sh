#!/usr/bin/env bash
# Runs a command on a virtual X display of its own, managed by openbox, the
# way a desktop manages the palette and Writer. Both are stopped afterwards,
# also when the command fails.
#
#   with_window_manager.sh COMMAND [ARG...]
set -euo pipefail
work=$(mktemp -d "${TMPDIR:-/tmp}/glyphboard-wm.XXXXXX")
xvfb=
openbox=
cleanup() {
    [ -z "$openbox" ] || kill "$openbox" 2>/dev/null || true
    [ -z "$xvfb" ] || kill "$xvfb" 2>/dev/null || true
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

# Xvfb picks a free display number and writes it to the descriptor.
exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb=$!
exec 3>&-
for _ in $(seq 100); do
    [ -s "$work/display" ] && break
    sleep 0.1
done
[ -s "$work/display" ] || { echo "with_window_manager: Xvfb did not start" >&2; cat "$work/xvfb.log" >&2; exit 1; }
export DISPLAY=":$(head -n1 "$work/display")"

HOME="$work" openbox --sm-disable >"$work/openbox.log" 2>&1 &
openbox=$!
# The window manager is ready once it announces itself on the root window.
for _ in $(seq 100); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
    sleep 0.1
done
xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' ||
    { echo "with_window_manager: openbox did not start" >&2; cat "$work/openbox.log" >&2; exit 1; }

status=0
QT_QPA_PLATFORM=xcb "$@" || status=$?
exit "$status"
