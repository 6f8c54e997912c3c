#!/bin/sh
# Runs a command on the X display $DISPLAY under the openbox window manager,
# which is started before it and ended after it.
openbox --sm-disable >/dev/null 2>&1 &
wm=$!
tries=0
until xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; do
    tries=$((tries + 1))
    if [ $tries -gt 100 ] || ! kill -0 $wm 2>/dev/null; then
        echo "openbox did not start" >&2
        kill $wm 2>/dev/null
        exit 1
    fi
    sleep 0.05
done
"$@"
status=$?
kill $wm
wait $wm 2>/dev/null
exit $status
