#pragma once
// One logging category per subsystem. All are quiet by default; a user or a
// test turns them on with QT_LOGGING_RULES, e.g. "velmoro.*=true" or
// "velmoro.audio.debug=true". A failure that ends as an error code logs its
// reason once, as a warning, in the category of the subsystem that saw it.
#include <QLoggingCategory>

namespace velmoro {

Q_DECLARE_LOGGING_CATEGORY(lcApp)       // velmoro.app: start-up, engine, shared state
Q_DECLARE_LOGGING_CATEGORY(lcAudio)     // velmoro.audio: the audio library's own messages
Q_DECLARE_LOGGING_CATEGORY(lcPlatform)  // velmoro.platform: files, profiles, mounts
Q_DECLARE_LOGGING_CATEGORY(lcPlayer)    // velmoro.player: the player window and its commands
Q_DECLARE_LOGGING_CATEGORY(lcPlaylist)  // velmoro.playlist: the store and playlist files
Q_DECLARE_LOGGING_CATEGORY(lcSettings)  // velmoro.settings
Q_DECLARE_LOGGING_CATEGORY(lcSkin)      // velmoro.skin: skin files and drawing
Q_DECLARE_LOGGING_CATEGORY(lcTrackInfo) // velmoro.trackinfo: MPEG headers and tags

} // namespace velmoro
