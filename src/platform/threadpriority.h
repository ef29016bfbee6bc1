#pragma once
// The priority of the user-interface thread, as the options' "Priorità
// Processo GUI" track bar chooses it. Only that thread's niceness changes:
// putting the whole process in a real-time class could freeze the desktop,
// and the sound has threads of its own.
namespace velmoro::platform {

// The niceness of a track bar position: Alta, Idle, Normale, Tempo Critico.
int GuiNicenessOfPosition(int position);

// Sets the calling thread's niceness. False when the system refuses (a
// higher priority asks for privileges): the thread keeps the one it had.
bool SetCallingThreadNiceness(int niceness);

// The calling thread's niceness.
int CallingThreadNiceness();

} // namespace velmoro::platform
