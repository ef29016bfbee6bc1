#include "dialogs/forminfo.h"

#include "dialogs/named.h"

#include "dialogs/aboutinfo.h"
#include "platform/logging.h"

#include <QDesktopServices>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>

namespace velmoro::dialogs {

namespace {

QLabel* Picture(const char* name, const QString& resource, QWidget* parent, QRect at)
{
    QLabel* label = Named(new QLabel(parent), name);
    label->setPixmap(QPixmap(resource));
    label->setGeometry(at);
    return label;
}

} // namespace

TFormInfo::TFormInfo(app::WindowFlags& flags, QWidget* parent) : HotKeyDialog(flags, parent)
{
    setObjectName(QStringLiteral("FormInfo"));
    setWindowTitle(QStringLiteral("Info"));
    setFixedSize(303, 369);

    const QString icon = QStringLiteral(":/velmoro/about/icon.png");
    Image1 = Picture("Image1", icon, this, QRect(8, 8, 32, 32));
    Image2 = Picture("Image2", icon, this, QRect(263, 8, 32, 32));
    LabelTitle = Named(new QLabel(QStringLiteral("Velmoro"), this), "LabelTitle");
    QFont titleFont(QStringLiteral("Arial"));
    titleFont.setPixelSize(16);
    titleFont.setBold(true);
    LabelTitle->setFont(titleFont);
    LabelTitle->setAlignment(Qt::AlignCenter);
    LabelTitle->setGeometry(48, 6, 207, 20);
    LabelVer = Named(new QLabel(BuildVersionLine(), this), "LabelVer");
    LabelVer->setAlignment(Qt::AlignCenter);
    LabelVer->setGeometry(48, 26, 207, 16);

    PanelBanner = Named(new QFrame(this), "PanelBanner");
    PanelBanner->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    PanelBanner->setLineWidth(2);
    PanelBanner->setGeometry(8, 48, 288, 90);
    ImageBanner = Picture("ImageBanner", QStringLiteral(":/velmoro/about/banner.png"), PanelBanner,
                          QRect(2, 2, 284, 86));

    MemoCred = Named(new QPlainTextEdit(CreditsText(), this), "MemoCred");
    MemoCred->setReadOnly(true);
    MemoCred->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    MemoCred->setGeometry(8, 146, 287, 138);

    LabelCp =
        Named(new QLabel(QStringLiteral("Software libero, licenza GPL 3 o successiva."), this), "LabelCp");
    LabelCp->setGeometry(8, 290, 287, 16);
    LabelCp1 = Named(new QLabel(QStringLiteral("Visita per informazioni"), this), "LabelCp1");
    Label2 = Named(new QLabel(ProjectAddress().toString(), this), "Label2");
    QPalette link = Label2->palette();
    link.setColor(QPalette::WindowText, Qt::blue);
    Label2->setPalette(link);
    QFont underlined = Label2->font();
    underlined.setUnderline(true);
    Label2->setFont(underlined);
    Label2->setCursor(Qt::PointingHandCursor);
    Label2->installEventFilter(this);
    // Side by side at whatever width the desktop's font gives them.
    LabelCp1->setGeometry(8, 310, LabelCp1->sizeHint().width(), 16);
    Label2->setGeometry(LabelCp1->geometry().right() + 6, 310, Label2->sizeHint().width(), 16);

    ButtonChiudi = Named(new QPushButton(QStringLiteral("&Chiudi"), this), "ButtonChiudi");
    ButtonChiudi->setGeometry(114, 336, 75, 25);
    ButtonChiudi->setDefault(true);
    connect(ButtonChiudi, &QPushButton::clicked, this, &TFormInfo::ButtonChiudiClick);

    TimerSfuma.setObjectName(QStringLiteral("TimerSfuma"));
    TimerSfuma.setInterval(50);
    connect(&TimerSfuma, &QTimer::timeout, this, &TFormInfo::TimerSfumaTimer);

    OpenAddress = [](const QUrl& address) {
        if (!QDesktopServices::openUrl(address))
            qCWarning(lcPlayer) << "no browser took" << address;
    };
}

void TFormInfo::showEvent(QShowEvent* event)
{
    HotKeyDialog::showEvent(event);
    FormShow();
}

void TFormInfo::hideEvent(QHideEvent* event)
{
    TimerSfuma.stop();
    HotKeyDialog::hideEvent(event);
}

void TFormInfo::FormShow()
{
    m_fade.StartClimbing();
    SetTitleColour(palette().color(QPalette::WindowText));
    TimerSfuma.start();
}

void TFormInfo::TimerSfumaTimer()
{
    SetTitleColour(QColor(m_fade.Step()));
}

void TFormInfo::SetTitleColour(const QColor& colour)
{
    QPalette title = LabelTitle->palette();
    title.setColor(QPalette::WindowText, colour);
    LabelTitle->setPalette(title);
}

void TFormInfo::Label2Click()
{
    if (OpenAddress)
        OpenAddress(ProjectAddress());
}

bool TFormInfo::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Label2 && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        Label2Click();
        return true;
    }
    return HotKeyDialog::eventFilter(watched, event);
}

} // namespace velmoro::dialogs
