#include "plugins/visplugins.h"

#include "platform/logging.h"
#include "plugins/plugintext.h"

#include <QFileInfo>

namespace velmoro::plugins {

QStringList VisPlugins::LoadAll(const QStringList& files)
{
    QStringList lines;
    for (const QString& file : files) {
        const QString line = LoadAndInit(file);
        if (!line.isEmpty())
            lines << line;
    }
    return lines;
}

bool VisPlugins::Load(const QString& file)
{
    if (m_module && m_module->quit)
        m_module->quit();
    Unload();
    return !LoadAndInit(file).isEmpty();
}

// A file that is no plug-in leaves the one in use as it is.
QString VisPlugins::LoadAndInit(const QString& file)
{
    auto library = std::make_unique<QLibrary>(file);
    const auto getModule = reinterpret_cast<VelmoroGetVisModule>(library->resolve("PlayerGetVisModule"));
    VelmoroVisModule* module = getModule ? getModule() : nullptr;
    if (!module) {
        qCWarning(lcPlayer) << "not a visualization plug-in:" << file << library->errorString();
        library->unload();
        return {};
    }
    {
        const std::lock_guard lock(m_renderLock);
        if (m_library)
            m_library->unload();
        m_library = std::move(library);
        m_module = module;
    }
    if (m_module->init)
        m_module->init();
    return Description() + u'[' + QFileInfo(file).fileName().toUpper() + u']';
}

void VisPlugins::Unload()
{
    const std::lock_guard lock(m_renderLock);
    m_module = nullptr;
    if (m_library) {
        m_library->unload();
        m_library.reset();
    }
}

QString VisPlugins::Description() const
{
    return m_module ? PluginText(m_module->description) : QString();
}

void VisPlugins::Configure(VelmoroWindow owner)
{
    if (m_module && m_module->configure)
        m_module->configure(owner);
}

void VisPlugins::About(VelmoroWindow owner)
{
    if (m_module && m_module->about)
        m_module->about(owner);
}

void VisPlugins::Start()
{
    if (m_module && m_module->start)
        m_module->start();
}

void VisPlugins::Stop()
{
    if (m_module && m_module->stop)
        m_module->stop();
}

void VisPlugins::Render(VelmoroStream stream, const void* samples, std::uint32_t bytes)
{
    const std::unique_lock lock(m_renderLock, std::try_to_lock);
    if (lock.owns_lock() && m_module && m_module->render)
        m_module->render(stream, samples, bytes);
}

} // namespace velmoro::plugins
