# Sourced by the fuzz stages: what each of them does around its own target.
SECONDS_TO_RUN=${QUILLORA_FUZZ_SECONDS:-60}
FUZZ_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# fuzz_folders DIR: empties DIR/seeds and keeps DIR/corpus, so that a stage writes its seeds
# afresh and keeps what earlier runs found; `seed NAME BYTES` writes one seed (printf form).
fuzz_folders() {
  SEEDS="$1/seeds"
  CORPUS="$1/corpus"
  rm -rf "$SEEDS"
  mkdir -p "$SEEDS" "$CORPUS" "$FUZZ_ROOT/artifacts"
}
seed() { printf "$2" >"$SEEDS/$1"; }

# fuzz_run TARGET NAME [libFuzzer options...]: runs TARGET for SECONDS_TO_RUN on CORPUS and
# SEEDS under the sanitizers' settings; a finding fails the stage and leaves its input as
# artifacts/fuzz-NAME-*.
fuzz_run() {
  local target=$1 name=$2
  shift 2
  ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
  LSAN_OPTIONS=suppressions=$FUZZ_ROOT/tools/lsan.supp:print_suppressions=0 \
  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    "$target" -max_total_time="$SECONDS_TO_RUN" -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="$FUZZ_ROOT/artifacts/fuzz-$name-" "$@" "$CORPUS" "$SEEDS"
}
