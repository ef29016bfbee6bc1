#pragma once
// The audio library has no Qt: its messages reach the velmoro.audio category
// through this bridge, installed once at start.
namespace velmoro::app {

void RouteAudioLibraryLog();

} // namespace velmoro::app
