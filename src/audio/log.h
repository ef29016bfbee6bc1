#pragma once
// Where the audio library tells why something failed. The library has no Qt,
// so the program hands it a function that passes the text on to its own log.
//
// Log() may be called from the control, update and network threads, never
// from the device callback: it formats text and takes a lock.
#include <string>

namespace velmoro::audio {

enum class LogLevel { Debug, Info, Warning };

using LogFunction = void (*)(void* user, LogLevel level, const char* message);

// nullptr stops logging. Safe to call while other threads log.
void SetLogFunction(LogFunction f, void* user);

void Log(LogLevel level, const std::string& message);

} // namespace velmoro::audio
