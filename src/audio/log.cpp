#include "audio/log.h"

#include <mutex>

namespace velmoro::audio {

namespace {

struct Sink {
    std::mutex mutex;
    LogFunction function = nullptr;
    void* user = nullptr;
};

// Never destroyed: a network worker that ends after main() may still log.
Sink& TheSink()
{
    static Sink* const sink = new Sink;
    return *sink;
}

} // namespace

void SetLogFunction(LogFunction f, void* user)
{
    Sink& sink = TheSink();
    std::lock_guard lock(sink.mutex);
    sink.function = f;
    sink.user = user;
}

// The lock is held during the call, so after SetLogFunction returns the old
// function is never running and never called again.
void Log(LogLevel level, const std::string& message)
{
    Sink& sink = TheSink();
    std::lock_guard lock(sink.mutex);
    if (sink.function)
        sink.function(sink.user, level, message.c_str());
}

} // namespace velmoro::audio
