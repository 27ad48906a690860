#!/usr/bin/env bash
# Runs a command in a network namespace of its own (unshare -n) with only loopback up, so that a
# test which tries to reach any host but 127.0.0.1 fails here instead of leaving the machine.
set -euo pipefail
if [[ $# -eq 0 ]]; then
  echo "usage: scripts/offline.sh COMMAND [ARG...]" >&2
  exit 2
fi
if [[ $(id -u) -eq 0 ]]; then
  unshare_args=(-n)
else
  # Without root a user namespace gives the right to make the network one.
  unshare_args=(-n -r)
fi
# Inside: loopback up, and refuse to run at all if any other interface is there.
exec unshare "${unshare_args[@]}" -- bash -c '
  ip link set lo up || exit 1
  if ip -o link show | grep -qv ": lo:"; then
    echo "offline.sh: an interface besides loopback is present; not running" >&2
    exit 1
  fi
  exec "$@"' offline "$@"
