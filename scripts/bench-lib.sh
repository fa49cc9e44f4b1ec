# bench-lib.sh -- what the benchmark scripts share: the median, and rounds of
# a bare loop against the demo side by side. Sourced by bash scripts.

# median: the median of the numbers on standard input, one a line.
median() {
  sort -g | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else printf "%.3f\n", (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

# compare_rounds ROUNDS BARE DEMO TARGET: ROUNDS times runs the caller's
# bare_run and demo_run (each prints a frame rate), alternating which runs
# first; prints each round, the medians of BARE and DEMO (their names) and
# their ratio against TARGET.
compare_rounds() {
  local rounds=$1 bare_name=$2 demo_name=$3 target=$4 round bare demo ratio bares="" demos="" ratios=""
  for round in $(seq "$rounds"); do
    if [ $((round % 2)) -eq 1 ]; then
      bare=$(bare_run); demo=$(demo_run)
    else
      demo=$(demo_run); bare=$(bare_run)
    fi
    ratio=$(awk "BEGIN { printf \"%.3f\", $demo / ($bare > 0 ? $bare : 1) }")
    printf 'round %d: %s %s fps, %s %s fps, ratio %s\n' "$round" "$bare_name" "$bare" "$demo_name" "$demo" "$ratio"
    bares="$bares$bare"$'\n' demos="$demos$demo"$'\n' ratios="$ratios$ratio"$'\n'
  done
  bare=$(printf '%s' "$bares" | median)
  demo=$(printf '%s' "$demos" | median)
  printf 'median: %s %s fps, %s %s fps\n' "$bare_name" "$bare" "$demo_name" "$demo"
  printf 'ratio of medians: %s (median of the rounds'"'"' ratios: %s; target >= %s)\n' \
    "$(awk "BEGIN { printf \"%.3f\", $demo / $bare }")" "$(printf '%s' "$ratios" | median)" "$target"
}
