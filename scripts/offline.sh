#!/usr/bin/env bash
# Runs a command in a network namespace of its own with only loopback up, so that a test which
# tries to reach any host but 127.0.0.1 fails here instead of leaving the machine.
set -euo pipefail
if [[ $# -eq 0 ]]; then
  echo "usage: scripts/offline.sh COMMAND [ARG...]" >&2
  exit 2
fi
if [[ $(id -u) -eq 0 ]]; then
  unshare_args=(--net)
else
  # Without root a user namespace gives the right to make the network one.
  unshare_args=(--net --map-root-user)
fi
exec unshare "${unshare_args[@]}" -- bash -c 'ip link set lo up && exec "$@"' offline "$@"
