// Linked into a test build of the launcher only: from start-up to exit every
// DDE request waits kShortRequestWaitMs for its answer instead of a minute,
// so that runs against a browser that never answers take seconds. The
// shipped program has no such object.
#include "tests/dde/ShortRequestWait.h"
#include "tests/launcher/LauncherRunner.h"

namespace {
ShortRequestWait shortWait(kShortRequestWaitMs);
}  // namespace
