#!/bin/sh
# Starts the installed game, which keeps its data beside itself.
here=$(dirname "$(readlink -f "$0")")
exec "$here/../lib/sorvani/sorvani" "$@"
