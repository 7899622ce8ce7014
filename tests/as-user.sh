#!/usr/bin/env bash
# Runs a test command as an ordinary user when CTest runs as root, where permission checks would
# pass for everything: a folder or file that may not be read can only be shown to someone who is
# not root. Exits 77 (skipped) when no such user can reach the test binary.
#
#   as-user.sh COMMAND [ARGUMENTS...]
set -euo pipefail
if [ "$(id -u)" -ne 0 ]; then
  exec "$@"
fi
if ! command -v setpriv >/dev/null; then
  echo "skipped: setpriv is not installed"
  exit 77
fi
drop=(setpriv --reuid=nobody --regid=nogroup --clear-groups --reset-env)
if ! "${drop[@]}" test -x "$1"; then
  echo "skipped: the user nobody cannot reach $1"
  exit 77
fi
exec "${drop[@]}" env QT_QPA_PLATFORM=offscreen TMPDIR=/tmp "$@"
