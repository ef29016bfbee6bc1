/*
 * A menu plug-in for Velmoro, to copy: it adds "Pausa (plug-in di esempio)"
 * to the player's "Attrezzi" menu, and its click pauses playback through
 * the host command. Plain C: the contract is include/velmoro/plugin.h.
 */
#include <velmoro/plugin.h>

#include <stddef.h>

static VelmoroMenuModule module;

static void Action(void)
{
    if (module.host_command)
        module.host_command(VELMORO_COMMAND_PAUSE);
}

__attribute__((visibility("default"))) VelmoroMenuModule* GetMenuModule(void)
{
    module.init = NULL;
    module.quit = NULL;
    module.action = Action;
    module.caption = "Pausa (plug-in di esempio)";
    module.description = "Mette in pausa la riproduzione";
    return &module;
}
