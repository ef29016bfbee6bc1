#include "dialogs/bassinfoform.h"

#include "dialogs/devicelines.h"

namespace velmoro::dialogs {

TBassInfoForm::TBassInfoForm(app::WindowFlags& windows, audio::IAudioLibrary& audio, QWidget* parent)
    : KeyQuietDialog(windows, parent), BassInfoListBox(new QListWidget(this)),
      Label1(new QLabel(QStringLiteral("ATTENZIONE! Con l'opzione 3D disattivata le informazioni\n"
                                       "mostrate potrebbero non essere corrette: attivala\n"
                                       "e ripeti la richiesta."),
                        this)),
      OkButton(new QPushButton(QStringLiteral("OK"), this)), m_audio(audio)
{
    setObjectName(QStringLiteral("BassInfoForm"));
    setWindowTitle(QStringLiteral("Bass Info"));
    BassInfoListBox->setObjectName(QStringLiteral("BassInfoListBox"));
    Label1->setObjectName(QStringLiteral("Label1"));
    OkButton->setObjectName(QStringLiteral("OkButton"));
    QFont fixed(QStringLiteral("Courier New"));
    fixed.setStyleHint(QFont::TypeWriter);
    BassInfoListBox->setFont(fixed);
    BassInfoListBox->setGeometry(8, 8, 305, 233);
    Label1->setGeometry(8, 246, 305, 40);
    OkButton->setGeometry(124, 290, 75, 24);
    OkButton->setDefault(true);
    setFixedSize(322, 319);
    connect(OkButton, &QPushButton::clicked, this, &TBassInfoForm::OkButtonClick);
}

// A record the library cannot fill shows as it is: zeros.
void TBassInfoForm::FillDeviceInformation()
{
    audio::DeviceInfo info;
    info.size = 44;
    m_audio.GetInfo(info);
    audio::DeviceReport report;
    const bool reported = m_audio.GetDeviceReport(report);
    BassInfoListBox->clear();
    BassInfoListBox->addItems(DeviceInfoLines(info));
    BassInfoListBox->addItem(QString());
    BassInfoListBox->addItems(DeviceReportLines(reported ? &report : nullptr));
}

} // namespace velmoro::dialogs
