#!/bin/sh
# Runs a Windows program under Wine inside a rig namespace: the private
# prefix's wineserver starts here, in the namespace, because Wine's sockets
# live in the wineserver; it is stopped here again before the rig goes.
#   wine-in-rig.sh WINE-RUN PROGRAM [ARGS...]
set -u
wine_run=$1
shift
"$wine_run" "$@"
status=$?
wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver64)
WINEPREFIX=$NODEXA_WINEPREFIX "$wineserver" -k 2>/dev/null
WINEPREFIX=$NODEXA_WINEPREFIX "$wineserver" -w
exit $status
