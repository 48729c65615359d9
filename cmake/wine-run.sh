#!/bin/sh
# Runs a Windows program under Wine, quietly, in a Wine prefix of its own in
# the temporary folder (made on first use), never the user's ~/.wine.
: "${WINEPREFIX:=${TMPDIR:-/tmp}/d88cut-wine-prefix-$(id -u)}"
WINEDEBUG=-all
export WINEPREFIX WINEDEBUG
exec wine "$@"
