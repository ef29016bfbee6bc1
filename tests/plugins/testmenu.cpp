// A menu plug-in for the tests: it tells the test of each call, its action
// sends the pause command, and one build lets an exception out of quit.
#include <velmoro/plugin.h>

#include <stdexcept>
#include <string>

extern "C" void VelmoroTestEvent(const char* event) __attribute__((weak));

namespace {

VelmoroMenuModule module;

void Say(const char* what)
{
    const std::string line = std::string(what) + ':' + CAPTION;
    if (VelmoroTestEvent)
        VelmoroTestEvent(line.c_str());
}

void Init()
{
    Say("init");
}

void Quit()
{
    Say("quit");
#ifdef THROWING_QUIT
    throw std::runtime_error("quit");
#endif
}

void Action()
{
    Say("action");
    if (module.host_command)
        module.host_command(VELMORO_COMMAND_PAUSE);
}

} // namespace

extern "C" __attribute__((visibility("default"))) VelmoroMenuModule* GetMenuModule()
{
    module =
        VelmoroMenuModule{Init, Quit, Action, nullptr, nullptr, CAPTION, "Descrizione " CAPTION, nullptr};
    return &module;
}
