#!/usr/bin/env bash
# Prints the wine loader the scripts run Windows programs with: Debian's
# 64-bit loader named in tools/deps/system-paths.txt, or the plain "wine"
# command where it is not there.
wine64=$(awk '$1 == "wine64" { print $2 }' "$(dirname "$0")/deps/system-paths.txt")
if [ -n "$wine64" ] && [ -x "$wine64" ]; then echo "$wine64"; else echo wine; fi
