#!/usr/bin/env bash
# Runs the hostile host round after round, each with a new seed, for as long
# as asked; stops at the first round that finds anything (a finding, a
# sanitizer report, a crash or a hang) and prints the command that replays it.
#   fuzz.sh <hostile binary> <seconds> [calls per round] [extra hostile options...]
set -u
tool=$1
seconds=${2:-600}
calls=${3:-200000}
shift 3 2>/dev/null || shift $#
extra=("$@")
lsan_supp="$(cd "$(dirname "$0")/../.." && pwd)/gui/lsan.supp"
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:fast_unwind_on_malloc=0}
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$lsan_supp}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1}
end=$((SECONDS + seconds))
round=0
base=$(od -An -N4 -tu4 /dev/urandom | tr -d ' ')
while [ "$SECONDS" -lt "$end" ]; do
  seed=$((base + round))
  round=$((round + 1))
  log=$(mktemp)
  echo "round $round: seed $seed"
  if ! "$tool" --seed "$seed" --calls "$calls" --automation-frames 100000 --load-cycles 5 "${extra[@]}" >"$log" 2>&1; then
    cat "$log"
    echo
    echo "FAILED at seed $seed. Replay with:"
    # Findings name their plug-in's replay under them; a crash or hang
    # happened in the plug-in whose run was announced last.
    replay=$(grep -m1 "^  replay: " "$log" || grep "replay: " "$log" | tail -1)
    echo "  ${replay#*replay: }"
    rm -f "$log"
    exit 1
  fi
  grep -E "random calls|peak" "$log" | sed 's/^/  /'
  rm -f "$log"
done
echo "fuzz: $round rounds in ${seconds} s, no findings"
