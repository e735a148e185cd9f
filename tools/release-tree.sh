# Sourced: configures build-package, the tree built with Debian's own hardening and
# optimisation flags, as every package of the archive is built, and sets RELEASE_TREE.
# The package (tools/package.sh), the benchmarks (tools/bench.sh) and the plain test build
# of tools/test.sh share it, so that nothing is compiled twice with the same flags.
# Arguments: ON or OFF for the tests, then for the benchmarks.
RELEASE_TREE=build-package
(
  # Without -g: the package is stripped, and the code is the same without it (about a third
  # of the compile time goes to debug information).
  eval "$(DEB_BUILD_MAINT_OPTIONS=hardening=+all DEB_CFLAGS_MAINT_STRIP=-g \
    DEB_CXXFLAGS_MAINT_STRIP=-g dpkg-buildflags --export=sh)"
  export CFLAGS="$CPPFLAGS $CFLAGS" CXXFLAGS="$CPPFLAGS $CXXFLAGS"
  cmake -S . -B "$RELEASE_TREE" -G Ninja -DCMAKE_BUILD_TYPE=None -DCMAKE_INSTALL_PREFIX=/usr \
    -DQUILLORA_BUILD_TESTS="$1" -DQUILLORA_BUILD_BENCH="$2" >/dev/null
)
