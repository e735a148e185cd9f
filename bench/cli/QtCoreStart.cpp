// Linked beside BareFullCut.c: the same process, but one that loads Qt Core and calls into
// it once before main, as every program built on Qt Core does. Its time is what loading Qt
// Core alone costs, which quillora-cli's port runs no longer pay.
#include <QtGlobal>

namespace {
const bool kAskedQtCore = qEnvironmentVariableIsSet("QUILLORA_BENCH_UNSET");
}  // namespace
