#!/bin/sh
# Runs a Windows program under Wine, quietly, in a Wine prefix of its own in
# the temporary folder (made on first use), never the user's ~/.wine. The
# programs need neither .NET nor a browser engine, so Wine is told not to
# offer to install them when it sets up the prefix.
: "${WINEPREFIX:=${TMPDIR:-/tmp}/d88cut-wine-prefix-$(id -u)}"
WINEDEBUG=-all
WINEDLLOVERRIDES="mscoree,mshtml="
export WINEPREFIX WINEDEBUG WINEDLLOVERRIDES
exec wine "$@"
