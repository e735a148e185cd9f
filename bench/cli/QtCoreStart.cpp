// Linked beside BareFullCut.c: the same process, but one that loads Qt Core and calls into
// it once before main, as every program built on Qt Core does. Its time is the floor that
// quillora-cli, which needs Qt Core, cannot go under.
#include <QtGlobal>

namespace {
const bool kAskedQtCore = qEnvironmentVariableIsSet("QUILLORA_BENCH_UNSET");
}  // namespace
