#include "platform/logging.h"

namespace velmoro {

// QtCriticalMsg as the default level keeps warnings and debug output off until
// QT_LOGGING_RULES asks for them.
Q_LOGGING_CATEGORY(lcApp, "velmoro.app", QtCriticalMsg)
Q_LOGGING_CATEGORY(lcAudio, "velmoro.audio", QtCriticalMsg)
Q_LOGGING_CATEGORY(lcPlatform, "velmoro.platform", QtCriticalMsg)
Q_LOGGING_CATEGORY(lcPlayer, "velmoro.player", QtCriticalMsg)
Q_LOGGING_CATEGORY(lcPlaylist, "velmoro.playlist", QtCriticalMsg)
Q_LOGGING_CATEGORY(lcSettings, "velmoro.settings", QtCriticalMsg)
Q_LOGGING_CATEGORY(lcSkin, "velmoro.skin", QtCriticalMsg)
Q_LOGGING_CATEGORY(lcTrackInfo, "velmoro.trackinfo", QtCriticalMsg)

} // namespace velmoro
