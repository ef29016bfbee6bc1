#pragma once
// The visualization plug-in in use: loading, the calls of the options
// window and the menus on the user-interface thread, and render on the
// decoding thread. The table never outlives its library: an unload waits
// for a render call in progress, and a render that would have to wait for
// an unload is skipped instead, so the sound never waits.
#include "velmoro/plugin.h"

#include <QLibrary>
#include <QString>
#include <QStringList>

#include <memory>
#include <mutex>

namespace velmoro::plugins {

class VisPlugins {
public:
    ~VisPlugins() { Unload(); }

    // "Carica Tutti": each plug-in found takes the place of the one before
    // (freed without its quit) and is initialised; a line per plug-in, its
    // description then "[FILE NAME]". The last one found stays in use.
    QStringList LoadAll(const QStringList& files);
    // "Carica": the plug-in in use told to quit, then file loaded and
    // initialised. False when file is no plug-in: then none is in use.
    bool Load(const QString& file);
    void Unload();

    bool InUse() const { return m_module != nullptr; }
    QString Description() const;

    void Configure(VelmoroWindow owner);
    void About(VelmoroWindow owner);
    void Start();
    void Stop();

    // Decoding thread. Never waits.
    void Render(VelmoroStream stream, const void* samples, std::uint32_t bytes);

private:
    // Loads and initialises in place of the plug-in in use; the line for
    // the list, or "" when file is no plug-in.
    QString LoadAndInit(const QString& file);

    std::mutex m_renderLock; // held by render calls and by unloads
    std::unique_ptr<QLibrary> m_library;
    VelmoroVisModule* m_module = nullptr;
};

} // namespace velmoro::plugins
