#include "app/audiolog.h"

#include "audio/log.h"
#include "platform/logging.h"

namespace velmoro::app {

namespace {

// Runs on whichever audio-library thread logs; the Qt logging functions are
// thread-safe.
void ToQt(void*, audio::LogLevel level, const char* message)
{
    switch (level) {
    case audio::LogLevel::Debug:
        qCDebug(lcAudio, "%s", message);
        break;
    case audio::LogLevel::Info:
        qCInfo(lcAudio, "%s", message);
        break;
    case audio::LogLevel::Warning:
        qCWarning(lcAudio, "%s", message);
        break;
    }
}

} // namespace

void RouteAudioLibraryLog()
{
    audio::SetLogFunction(&ToQt, nullptr);
}

} // namespace velmoro::app
