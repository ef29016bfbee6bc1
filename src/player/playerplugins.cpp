// The player window's plug-ins: loaded at start, fed, started and stopped, and the options' plug-in buttons.
#include "player/playerform.h"

#include <QAction>
#include <QComboBox>
#include <QPushButton>

namespace velmoro::player {

namespace {

struct VisPluginFeed final : app::VisPluginSink {
    explicit VisPluginFeed(plugins::VisPlugins& vis) : vis(vis) {}
    void Render(audio::Handle stream, const void* samples, std::uint32_t bytes) override
    {
        vis.Render(stream, samples, bytes);
    }
    plugins::VisPlugins& vis;
};

} // namespace

void TPlayerForm::LoadPlugins()
{
    Plugins = std::make_unique<plugins::PluginHost>(m_state.Dirs.SearchDirs(QStringLiteral("Plugins")),
                                                    [this] { Commands.Pause(); });
    m_pluginFeed = std::make_unique<VisPluginFeed>(Plugins->Vis);
    Engine.SetVisPluginSink(m_pluginFeed.get());
    if (!m_settings.Checked(QStringLiteral("CaricaVisCheck")))
        return;
    LoadVisPlugins();
    LoadMenuPlugins();
}

void TPlayerForm::LoadVisPlugins()
{
    m_settings.SetLines(QStringLiteral("ListaVisPluginCombo"), Plugins->LoadVisPlugins());
    m_settings.SetItemIndex(QStringLiteral("ListaVisPluginCombo"), 0);
}

void TPlayerForm::LoadMenuPlugins()
{
    QMenu* tools = PlayerMenu->findChild<QAction*>(QStringLiteral("Attrezzi1"))->menu();
    m_settings.SetLines(QStringLiteral("menuPluginCombo"), Plugins->LoadMenuPlugins(tools));
    m_settings.SetItemIndex(QStringLiteral("menuPluginCombo"), 0);
}

// The options' buttons of the plug-ins' page and of the device; until the
// second start-up phase has made the host, the plug-in buttons do nothing.
void TPlayerForm::ConnectOptionsButtons()
{
    const auto button = [this](const char* name) {
        return OpzioniForm->findChild<QPushButton*>(QString::fromLatin1(name));
    };
    const auto withPlugins = [this](auto action) {
        return [this, action] {
            if (Plugins)
                action(*Plugins);
        };
    };
    const auto line = [this](const char* combo) { return m_settings.ItemIndex(QString::fromLatin1(combo)); };
    connect(button("ButtonInfo"), &QPushButton::clicked, this, &TPlayerForm::ShowDeviceInformation);
    connect(button("Button3"), &QPushButton::clicked, this, withPlugins([line](plugins::PluginHost& host) {
                host.Vis.Load(host.VisFileOfLine(line("ListaVisPluginCombo")));
            }));
    connect(button("VisConfigButton"), &QPushButton::clicked, this,
            withPlugins([this](plugins::PluginHost& host) { host.Vis.Configure(VelmoroWindow(winId())); }));
    connect(button("VisInfoButton"), &QPushButton::clicked, this,
            withPlugins([this](plugins::PluginHost& host) { host.Vis.About(VelmoroWindow(winId())); }));
    connect(button("CaricaVisButton"), &QPushButton::clicked, this,
            withPlugins([this](plugins::PluginHost&) { LoadVisPlugins(); }));
    connect(button("ButtonCaricaMenu"), &QPushButton::clicked, this,
            withPlugins([this](plugins::PluginHost&) { LoadMenuPlugins(); }));
    connect(button("ButtonMnuPlugin"), &QPushButton::clicked, this,
            withPlugins([line](plugins::PluginHost& host) {
                host.MenuAction(host.MenuSlotOfLine(line("menuPluginCombo")));
            }));
}

void TPlayerForm::CallVisPluginStart()
{
    if (Plugins)
        Plugins->Vis.Start();
}

void TPlayerForm::CallVisPluginStop()
{
    if (Plugins)
        Plugins->Vis.Stop();
}

} // namespace velmoro::player
