/* A visualization plug-in for the tests: it tells the test of each call
 * but render, and render touches its own memory, so a call after its
 * library is gone is caught. */
#include <velmoro/plugin.h>

#include <stddef.h>
#include <stdio.h>

extern void VelmoroTestEvent(const char* event) __attribute__((weak));

static void Say(const char* what)
{
    char line[128];
    snprintf(line, sizeof line, "%s:%s", what, DESCRIPTION);
    if (VelmoroTestEvent)
        VelmoroTestEvent(line);
}

static void Init(void)
{
    Say("init");
}
static void Quit(void)
{
    Say("quit");
}
static void Configure(VelmoroWindow owner)
{
    (void)owner;
    Say("configure");
}
static void About(VelmoroWindow owner)
{
    (void)owner;
    Say("about");
}
static void Start(void)
{
    Say("start");
}
static void Stop(void)
{
    Say("stop");
}

static unsigned char scratch[4096];

static void Render(VelmoroStream stream, const void* samples, uint32_t bytes)
{
    const unsigned char* bytesIn = samples;
    (void)stream;
    for (uint32_t i = 0; i < bytes && i < sizeof scratch; ++i)
        scratch[i] ^= bytesIn[i];
}

__attribute__((unused)) static VelmoroVisModule module = {Init, Quit, Configure, About, Render, Start, Stop, DESCRIPTION};

#ifndef NO_EXPORT
__attribute__((visibility("default"))) VelmoroVisModule* PlayerGetVisModule(void)
{
#ifdef NULL_TABLE
    return NULL;
#else
    return &module;
#endif
}
#endif
