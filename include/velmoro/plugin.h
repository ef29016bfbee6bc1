/*
 * Velmoro plug-ins: the whole contract between the player and a plug-in.
 *
 * A plug-in is a shared object in a "Plugins" folder: the one beside the
 * program, or "Plugins" in the user's data folder (~/.local/share/velmoro).
 * Its file name says its kind:
 *
 *   vfx_NAME.so    a visualization plug-in, handed every block of samples
 *                  of the stream being played while the player's
 *                  visualization mode is "Plugin";
 *   menu_NAME.so   a menu plug-in, which adds one item to the player's
 *                  "Attrezzi" menu and may send commands back.
 *
 * Each exports one function with C linkage, looked up by name, that returns
 * a pointer to a table the plug-in owns (a static one is simplest). A file
 * that cannot be loaded, lacks the export, or returns a null table is
 * skipped. Folders are read in name order; at most 65 menu plug-ins are
 * loaded.
 *
 * Calling convention: the platform's C convention; every entry may be
 * null, which the player takes as "nothing to do". Text entries are UTF-8,
 * zero-terminated, and read up to their first 255 bytes; the player shows
 * them as plain text only.
 *
 * Threads: render is called on the player's decoding thread, every other
 * entry on its user-interface thread. render must return quickly and must
 * not wait for the user-interface thread (the sound waits for it); a
 * plug-in that draws hands the samples to its own window through a buffer
 * of its own. The player never calls render while it unloads the library,
 * nor after it: an unload waits for a render call in progress to return.
 *
 * Lifetime: the table must stay valid from the export's return until the
 * library is unloaded. The player may unload a visualization plug-in
 * without calling quit when it loads another one ("Carica Tutti"); it calls
 * quit before "Carica" loads another one, and for menu plug-ins when the
 * player closes.
 */
#ifndef VELMORO_PLUGIN_H
#define VELMORO_PLUGIN_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* The player's window: its X11 window id (or the platform's native window
 * id), for a plug-in that opens a dialog over it. */
typedef uintptr_t VelmoroWindow;

/* A stream of the player, as render receives it. */
typedef uint32_t VelmoroStream;

typedef struct VelmoroVisModule {
    void (*init)(void);                     /* right after the table is obtained */
    void (*quit)(void);                     /* before another plug-in replaces it */
    void (*configure)(VelmoroWindow owner); /* the options' "Configura" */
    void (*about)(VelmoroWindow owner);     /* the options' "Info" */
    /* Interleaved signed 16-bit stereo samples at the stream's rate; bytes
     * is a multiple of 4. The samples are valid only during the call. */
    void (*render)(VelmoroStream stream, const void* samples, uint32_t bytes);
    void (*start)(void);     /* "Avvia Plugin Visuale", and after each play
                                when "Avvio automatico" is checked */
    void (*stop)(void);      /* "Ferma Plugin Visuale" */
    const char* description; /* shown in the list of loaded plug-ins */
} VelmoroVisModule;

/* Exported as "PlayerGetVisModule". */
typedef VelmoroVisModule* (*VelmoroGetVisModule)(void);

/* Codes a menu plug-in may send with host_command. */
enum { VELMORO_COMMAND_PAUSE = 1001 };

typedef struct VelmoroMenuModule {
    void (*init)(void);   /* right after the table is obtained */
    void (*quit)(void);   /* when the player closes */
    void (*action)(void); /* its menu item clicked, or the options' "Configura" */
    /* Written by the player after init: sends a command to the player (on
     * the user-interface thread only). Unknown codes do nothing. */
    void (*host_command)(int code);
    void* reserved;
    const char* caption;     /* the menu item's text */
    const char* description; /* shown in the list of loaded plug-ins */
    /* Written by the player after init: the library's handle as the
     * player holds it. Opaque. */
    void* library;
} VelmoroMenuModule;

/* Exported as "GetMenuModule". */
typedef VelmoroMenuModule* (*VelmoroGetMenuModule)(void);

#ifdef __cplusplus
}
#endif

#endif /* VELMORO_PLUGIN_H */
