#!/usr/bin/env bash
# The long soak: tools/e2e.sh's soak mode, 10 000 random operations by default.
# Usage: tools/soak.sh [ops] [seed] [win64|win32]
exec "$(dirname "$0")/e2e.sh" "${3:-win64}" "${1:-10000}" "${2:-$RANDOM}"
