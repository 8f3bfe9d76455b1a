// Every benchmark program runs in a home folder of its own, made before main
// so that nothing it builds can read or write the user's settings, data
// folder or caches.
#include "BenchHome.h"

#include "support/TemporaryHome.h"

namespace {

const TemporaryHome g_home;

}  // namespace

const std::string& benchHome() { return g_home.path(); }
