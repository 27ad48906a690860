#!/usr/bin/env bash
# Runs a command in a network namespace of its own (unshare -n) with only loopback up, so that a
# test which tries to reach any host but 127.0.0.1 fails here instead of leaving the machine.
# A mount namespace of its own (unshare -m) holds a small volume for the tests that need a full
# disk (on Windows, which has no file size limit to imitate one): a 256 KiB tmpfs in a fresh
# folder named by PACKWELL_SMALL_VOLUME, unmounted and removed when the command ends.
set -euo pipefail
if [[ $# -eq 0 ]]; then
  echo "usage: scripts/offline.sh COMMAND [ARG...]" >&2
  exit 2
fi
if [[ $(id -u) -eq 0 ]]; then
  unshare_args=(-n -m)
else
  # Without root a user namespace gives the right to make the other two.
  unshare_args=(-n -m -r)
fi
# Inside: loopback up, and refuse to run at all if any other interface is there.
exec unshare "${unshare_args[@]}" -- bash -c '
  ip link set lo up || exit 1
  if ip -o link show | grep -qv ": lo:"; then
    echo "offline.sh: an interface besides loopback is present; not running" >&2
    exit 1
  fi
  volume=$(mktemp -d /tmp/packwell-small-volume.XXXXXX) || exit 1
  trap '\''umount -l "$volume" 2>/dev/null; rmdir "$volume"'\'' EXIT
  mount -t tmpfs -o size=256k,mode=0700 packwell-small-volume "$volume" || exit 1
  export PACKWELL_SMALL_VOLUME=$volume
  # The command runs beside this shell, which stays to clean up: a termination request is passed
  # on at once (a shell waiting in the foreground would hold it back), and Ctrl+C reaches the
  # command from the terminal as before (env undoes the ignoring of it that "&" brings).
  env --default-signal=INT,QUIT "$@" <&0 &
  command=$!
  trap "kill -TERM $command 2>/dev/null" TERM HUP
  trap : INT QUIT
  while :; do
    wait "$command"
    status=$?
    kill -0 "$command" 2>/dev/null || break
  done
  exit "$status"' offline "$@"
