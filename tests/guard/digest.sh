#!/bin/bash
# digest.sh -- the WebAssembly digest tool of the effect that writes one row
# past its frame buffer: the frames before the overrun are printed, then the
# line that names it, and the exit status is not 0.
# Usage: digest.sh OVERRUN-DIGEST.JS NODE
set -u
digest=$1 node=$2
fail() {
  echo "FAIL: $*" >&2
  exit 1
}
out=$("$node" "$digest" 0 400 600 2>&1) && fail "the digest tool succeeded: $out"
expected="$digest: the effect wrote past its frame buffer of 320 x 200 x 4 bytes in FFX_Render at 0.600 s"
[ "$(printf '%s\n' "$out" | tail -n 1)" = "$expected" ] || fail "it said: $out"
[ "$(printf '%s\n' "$out" | wc -l)" -eq 3 ] || fail "not two frames before the overrun: $out"
echo "web digest: $(printf '%s\n' "$out" | tail -n 1)"
