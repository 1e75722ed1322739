# The one way the project's scripts wait: for a condition, never for a fixed
# time. Sourced by the scripts; the caller defines fail MESSAGE, which ends
# the script or counts the failure (await then returns false).
#
# await SECONDS WHAT COMMAND...: runs COMMAND until it succeeds, and fails
# with "WHAT" when it has not after SECONDS. The pause between two tries only
# keeps the loop from taking a processor; it decides nothing.
await() {
  await_limit=$1 await_what=$2
  shift 2
  await_deadline=$(($(date +%s) + await_limit))
  until "$@" >/dev/null 2>&1; do
    if [ "$(date +%s)" -ge "$await_deadline" ]; then
      fail "$await_what (waited ${await_limit} s)"
      return 1
    fi
    sleep 0.3
  done
}
