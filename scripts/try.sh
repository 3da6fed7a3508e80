#!/usr/bin/env bash
# Installs what is missing, builds, starts the probe simulator and olvex on it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
link=$(mktemp -u /tmp/olvex-probe.XXXXXX)
build/tools/probesim/probesim --link "$link" &
sim=$!
trap 'kill $sim 2>/dev/null' EXIT
for _ in $(seq 50); do [ -e "$link" ] && break; sleep 0.1; done
build/olvex/olvex --device "$link" "$@"
