#include "dialogs/jumptoform.h"

#include "dialogs/jumpmodel.h"
#include "dialogs/named.h"

#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

namespace velmoro::dialogs {

TjumptoForm::TjumptoForm(app::WindowFlags& flags, const app::PlaybackState& playback,
                         audio::IAudioLibrary& audio, QWidget* parent)
    : HotKeyDialog(flags, parent), Label1(new QLabel(QStringLiteral("Posizione (mm:ss)"), this)),
      mmssEdit(new QLineEdit(QStringLiteral("00:00"), this)),
      okBtn(new QPushButton(QStringLiteral("&OK"), this)),
      closeBtn(new QPushButton(QStringLiteral("&Chiudi"), this)), m_playback(playback), m_audio(audio)
{
    setObjectName(QStringLiteral("jumptoForm"));
    setWindowTitle(QStringLiteral("Vai alla posizione"));

    Label1->move(8, 8);
    mmssEdit->setGeometry(8, 24, 185, 21);
    okBtn->setGeometry(32, 64, 75, 25);
    closeBtn->setGeometry(120, 64, 75, 25);
    setFixedSize(203, 97);
    okBtn->setDefault(true);

    ShowMessage = [this](const QString& text) { QMessageBox::warning(this, windowTitle(), text); };
    connect(okBtn, &QPushButton::clicked, this, &TjumptoForm::okBtnClick);
    connect(closeBtn, &QPushButton::clicked, this, &TjumptoForm::closeBtnClick);
}

void TjumptoForm::okBtnClick()
{
    const std::optional<std::int64_t> seconds = ParseMinutesSeconds(mmssEdit->text());
    const std::optional<std::uint32_t> target =
        seconds ? JumpPositionBytes(*seconds, m_audio.StreamGetLength(m_playback.CurrentStream),
                                    m_playback.TrackSeconds)
                : std::nullopt;
    if (!target) {
        ShowMessage(BadPositionMessage());
        return;
    }
    // Past the end the library refuses the move, and nothing is to be told.
    m_audio.ChannelSetPosition(m_playback.CurrentStream, *target);
    close();
}

} // namespace velmoro::dialogs
