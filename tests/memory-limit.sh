#!/usr/bin/env bash
# Runs the out-of-memory test inside a memory cgroup limited to 512 MB, on a sparse file of 1 GB:
# the run must refuse the file with error 7 at once, and the kernel must not kill the test. Uses
# cgroup v2 where its memory controller is there, else v1; exits 77 (skipped) where no cgroup can
# be made (not root, or no writable cgroup file system).
#
#   memory-limit.sh TEST_BINARY
set -euo pipefail
binary=$1
limit=$((512 * 1024 * 1024))

group=
if [ -w /sys/fs/cgroup/cgroup.subtree_control ] && grep -qw memory /sys/fs/cgroup/cgroup.controllers 2>/dev/null; then
  group=/sys/fs/cgroup/varneska-test-$$
  mkdir "$group" && echo "$limit" >"$group/memory.max"
elif [ -w /sys/fs/cgroup/memory ]; then
  group=/sys/fs/cgroup/memory/varneska-test-$$
  mkdir "$group" && echo "$limit" >"$group/memory.limit_in_bytes"
fi
if [ -z "$group" ]; then
  echo "skipped: no memory cgroup can be made here (run as root on a system with cgroups)"
  exit 77
fi
work=$(mktemp -d)
cleanup() {
  rm -rf "$work"
  rmdir "$group" 2>/dev/null || true
}
trap cleanup EXIT
truncate -s 1G "$work/sparse.txt"

# The test runs in a child shell that has joined the group; this shell stays outside to clean up.
status=0
bash -c 'echo $$ >"$1/cgroup.procs" && shift && exec "$@"' _ "$group" \
  env VARNESKA_FILE_OVER_LIMIT="$work/sparse.txt" "$binary" \
  --gtest_filter=AvailableMemory.FileLargerThanTheLimitIsOutOfMemory >"$work/log" 2>&1 ||
  status=$?
cat "$work/log"
if [ "$status" -gt 128 ]; then
  echo "the test was killed by signal $((status - 128)): the run took more memory than its group has"
  exit 1
fi
# The one test must have run and passed, not been filtered away or skipped.
grep -q '^\[  PASSED  \] 1 test' "$work/log" && ! grep -q '^\[  SKIPPED \]' "$work/log" || exit 1
exit "$status"
