#!/usr/bin/env bash
# Source rules no compiler enforces; exits non-zero naming each line that breaks one.
set -euo pipefail
cd "$(dirname "$0")/.."
status=0
# The static mingw runtime frees a thread's storage before it runs its thread_local destructors,
# so such an object crashes the Windows program when its thread ends. Code built for Windows
# (all but the posix/ folders) declares no thread_local at all: a buffer belongs to its worker
# or its call.
# (A comment may name it: the word after // is no declaration.)
hits=$(git grep -nwE 'thread_local' -- '*.cpp' '*.h' '*.hpp' ':!*/posix/*' | grep -vE '^[^:]+:[0-9]+:[^"]*//.*thread_local' || true)
if [[ -n $hits ]]; then
  echo "thread_local in code built for Windows (own the object per worker or per call):" >&2
  echo "$hits" >&2
  status=1
fi
exit $status
