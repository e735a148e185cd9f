# Sourced by the fuzz stages: builds the targets named as arguments in build-fuzz (clang,
# libFuzzer, sanitizers), the one tree of every fuzz target, and sets BUILD;
# tools/fuzz-common.sh gives the rest. Stages running side by side build one at a time.
source "$(dirname "${BASH_SOURCE[0]}")/fuzz-common.sh"
cd "$FUZZ_ROOT"
BUILD=build-fuzz

mkdir -p "$BUILD"
(
  flock 9
  cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
    -DQUILLORA_BUILD_FUZZ=ON -DQUILLORA_BUILD_BENCH=OFF >/dev/null
  cmake --build "$BUILD" -j 2 --target "$@"
) 9>"$BUILD/.build-lock"
