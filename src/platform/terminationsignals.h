#pragma once
// SIGTERM, SIGINT and SIGHUP (a session ending, Ctrl+C in a terminal) turn
// into a call on the event loop, so the program closes as its close button
// would: the playlist saved, the sound device released.
#include <functional>

namespace velmoro::platform {

// Calls onSignal on the calling thread's event loop at each such signal.
// Once per process; needs a running QCoreApplication to deliver.
void HandleTerminationSignals(std::function<void()> onSignal);

} // namespace velmoro::platform
