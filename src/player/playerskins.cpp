// The player window's skins, and the windows that open from it.
#include "player/playerform.h"

#include "skin/skinsource.h"

#include <QFileInfo>

namespace velmoro::player {

void TPlayerForm::LoadPlaylistSkin()
{
    // A folder or an archive; without either, the built-in skin.
    const std::unique_ptr<skin::SkinSource> source = skin::OpenSkinSource(m_state.Dirs.SkinDir);
    PlaylistForm->CaricaSkinPlaylistClick(source ? *source : skin::BuiltInSkin());
}

void TPlayerForm::LoadVisBackground()
{
    Vis->LoadVisBackground(MainPlayerSkin->Skin(), QFileInfo::exists(m_state.Dirs.SkinDir));
}

// A skin that cannot be loaded leaves the built-in one on the window until
// the caller's fallback loads.
int TPlayerForm::LoadPlayerSkin(const QString& skinPath)
{
    const int result = MainPlayerSkin->LoadSkin(skinPath);
    if (result != 0)
        MainPlayerSkin->LoadDefaultSkin();
    return result;
}

void TPlayerForm::ReloadOtherSkins()
{
    LoadPlaylistSkin();
    LoadEqualizerSkin();
}

void TPlayerForm::ShowOptionsWindow(OptionsPageRequest page)
{
    switch (page) {
    case OptionsPageRequest::AsLeft:
        Options().ShowOptions();
        break;
    case OptionsPageRequest::Visualization:
        Options().ShowPage(options::OptionsPage::Visualizazione);
        break;
    case OptionsPageRequest::Bookmarks:
        Options().ShowPage(options::OptionsPage::Net);
        break;
    }
}

void TPlayerForm::ShowUrlDialog()
{
    UrlDialog().exec();
}

dialogs::TFormURL& TPlayerForm::UrlDialog()
{
    if (!FormURL) {
        FormURL = std::make_unique<dialogs::TFormURL>(
            m_state.Windows, m_settings, [this](const QString& address) { Engine.OpenStream(address); });
        WindowMade(*FormURL);
    }
    return *FormURL;
}

void TPlayerForm::ShowDeviceInformation()
{
    DeviceInformationDialog().FillDeviceInformation();
    BassInfoForm->exec();
}

dialogs::TBassInfoForm& TPlayerForm::DeviceInformationDialog()
{
    if (!BassInfoForm) {
        BassInfoForm = std::make_unique<dialogs::TBassInfoForm>(m_state.Windows, m_audio);
        WindowMade(*BassInfoForm);
    }
    return *BassInfoForm;
}

} // namespace velmoro::player
