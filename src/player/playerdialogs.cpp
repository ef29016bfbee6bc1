#include "player/playerdialogs.h"

#include "platform/verify.h"
#include "playlist/playlistview.h"

#include <QFileInfo>

namespace velmoro::player {

namespace {

template <typename Dialog, typename Make>
Dialog& Made(const PlayerDialogs::Hooks& hooks, std::unique_ptr<Dialog>& dialog, Make make)
{
    if (!dialog) {
        dialog = make();
        dialog->setWindowModality(Qt::ApplicationModal);
        if (hooks.made)
            hooks.made(*dialog);
    }
    return *dialog;
}

void ShowModal(QDialog& dialog)
{
    dialog.show();
    dialog.raise();
    dialog.activateWindow();
}

} // namespace

PlayerDialogs::PlayerDialogs(QWidget* parent, app::PlayerState& state, settings::Settings& settings,
                             audio::IAudioLibrary& audio, app::ShowErrorFunction showError, Hooks hooks)
    : m_parent(parent), m_state(state), m_settings(settings), m_audio(audio),
      m_showError(std::move(showError)), m_hooks(std::move(hooks))
{
}

PlayerDialogs::~PlayerDialogs() = default;

dialogs::TFormInfo& PlayerDialogs::FormInfo()
{
    return Made(m_hooks, m_formInfo,
                [this] { return std::make_unique<dialogs::TFormInfo>(m_state.Windows, m_parent); });
}

dialogs::TjumpForm& PlayerDialogs::jumpForm()
{
    return Made(m_hooks, m_jumpForm, [this] {
        dialogs::JumpActions actions{[this] { return PlaylistRows(); },
                                     [this](int index) {
                                         m_state.Tracks.CurrentIndex = index;
                                         if (m_hooks.playCurrentEntry)
                                             m_hooks.playCurrentEntry();
                                     }};
        return std::make_unique<dialogs::TjumpForm>(m_state.Windows, std::move(actions), m_parent);
    });
}

dialogs::TjumptoForm& PlayerDialogs::jumptoForm()
{
    return Made(m_hooks, m_jumptoForm, [this] {
        return std::make_unique<dialogs::TjumptoForm>(m_state.Windows, m_state.Playback, m_audio, m_parent);
    });
}

dialogs::TmpegForm& PlayerDialogs::mpegForm()
{
    return Made(m_hooks, m_mpegForm, [this] {
        return std::make_unique<dialogs::TmpegForm>(m_state.Windows, m_showError, m_parent);
    });
}

dialogs::TChangeFilnameForm& PlayerDialogs::ChangeFilnameForm()
{
    return Made(m_hooks, m_changeFilnameForm, [this] {
        auto form =
            std::make_unique<dialogs::TChangeFilnameForm>(m_state.Windows, m_state.Tracks.Playlist, m_parent);
        form->OnEntryChanged = m_hooks.playlistChanged;
        return form;
    });
}

void PlayerDialogs::ShowAbout()
{
    ShowModal(FormInfo());
}

void PlayerDialogs::ShowJumpToFile()
{
    ShowModal(jumpForm());
}

void PlayerDialogs::ShowJumpToPosition()
{
    ShowModal(jumptoForm());
}

void PlayerDialogs::ShowFileTags(const QString& fileName)
{
    if (!QFileInfo(fileName).isFile())
        return;
    dialogs::TmpegForm& form = mpegForm();
    form.FileToShow = fileName;
    // Shown already: its fields are read again for the new file.
    if (form.isVisible())
        form.FormShow();
    ShowModal(form);
}

void PlayerDialogs::EditEntryFileName(int index)
{
    const playlist::TMPEGAudioList& list = m_state.Tracks.Playlist;
    VELMORO_VERIFY_OR_DEBUG_ASSERT(index >= 0 && index < list.Count())
    {
        return;
    }
    dialogs::TChangeFilnameForm& form = ChangeFilnameForm();
    form.SetEntry(index, list.Items(index).GetFileName());
    ShowModal(form);
}

QStringList PlayerDialogs::PlaylistRows() const
{
    const playlist::TMPEGAudioList& list = m_state.Tracks.Playlist;
    const bool numbered = m_settings.Checked(QStringLiteral("NumPlaylistfiles"));
    QStringList rows;
    rows.reserve(list.Count());
    for (int row = 0; row < list.Count(); ++row)
        rows << playlist::RowText(list, row, numbered);
    return rows;
}

} // namespace velmoro::player
