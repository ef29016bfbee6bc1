#include "options/skinbrowserform.h"

#include "options/dialogflags.h"
#include "skin/screencursors.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>

namespace velmoro::options {

namespace {
constexpr QSize kClientSize(349, 368);
constexpr int kPreviewCursorSlot = 5;
} // namespace

TSkinBrowserForm::TSkinBrowserForm(app::PlayerState& state, settings::Settings& settings, SkinTarget& target,
                                   QWidget* parent)
    : QWidget(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint), m_state(state), m_settings(settings),
      m_target(target)
{
    setObjectName(QStringLiteral("SkinBrowserForm"));
    setWindowTitle(QStringLiteral("Browser Skin"));
    setFixedSize(kClientSize);

    GroupPreview = new QGroupBox(QStringLiteral("Preview"), this);
    GroupPreview->setObjectName(QStringLiteral("GroupPreview"));
    GroupPreview->setGeometry(8, 4, 333, 138);
    SkinPreview = new skin::TWinampSkin(GroupPreview);
    SkinPreview->setObjectName(QStringLiteral("SkinPreview"));
    SkinPreview->move(32, 15);
    SkinPreview->ApplicationActive = [] { return true; };
    SetPreviewValues();

    SkinList = new QListWidget(this);
    SkinList->setObjectName(QStringLiteral("SkinList"));
    SkinList->setGeometry(8, 150, 160, 178);
    SkinList->installEventFilter(this);
    auto* readmeLabel = new QLabel(QStringLiteral("Readme.txt"), this);
    readmeLabel->setObjectName(QStringLiteral("LabelReadme"));
    readmeLabel->setGeometry(176, 146, 165, 16);
    ReadmeSkin = new QPlainTextEdit(this);
    ReadmeSkin->setObjectName(QStringLiteral("ReadmeSkin"));
    ReadmeSkin->setReadOnly(true);
    ReadmeSkin->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    ReadmeSkin->setGeometry(176, 164, 165, 164);

    const auto button = [this](const char* name, const QString& caption, int x) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(QString::fromLatin1(name));
        b->setGeometry(x, 336, 105, 25);
        return b;
    };
    ButtonAggiorna = button("ButtonAggiorna", QStringLiteral("A&ggiorna lista"), 8);
    ButtonApplica = button("ButtonApplica", QStringLiteral("&Applica skin"), 122);
    ButtonChiudi = button("ButtonChiudi", QStringLiteral("&Chiudi"), 236);

    connect(ButtonAggiorna, &QPushButton::clicked, this, &TSkinBrowserForm::ButtonAggiornaClick);
    connect(ButtonApplica, &QPushButton::clicked, this, &TSkinBrowserForm::ButtonApplicaClick);
    connect(ButtonChiudi, &QPushButton::clicked, this, &QWidget::close);
    connect(SkinList, &QListWidget::itemClicked, this, &TSkinBrowserForm::SkinListClick);
    connect(SkinList, &QListWidget::itemDoubleClicked, this, &TSkinBrowserForm::ButtonApplicaClick);
}

void TSkinBrowserForm::SetPreviewValues()
{
    SkinPreview->SetVolume(100);
    SkinPreview->SetTitle(QStringLiteral("*** Preview Skin ***"));
    SkinPreview->SetStatus(skin::ssPlay);
    SkinPreview->SetReady(true);
    SkinPreview->SetBitrate(128);
    SkinPreview->SetFrequency(44100);
    SkinPreview->SetLeftMeter(50);
    SkinPreview->SetRightMeter(50);
    SkinPreview->SetProgress(QStringLiteral("01 02"));
    SkinPreview->SetActive(true);
    SkinPreview->setCursor(skin::ScreenCursors::Instance().Cursor(kPreviewCursorSlot));
}

void TSkinBrowserForm::FillList()
{
    SkinList->clear();
    SkinList->addItems(ListSkins(m_state.Dirs.SkinsDir));
}

QStringList TSkinBrowserForm::Lines() const
{
    QStringList lines;
    for (int row = 0; row < SkinList->count(); ++row)
        lines << SkinList->item(row)->text();
    return lines;
}

void TSkinBrowserForm::ShowBrowser()
{
    if (!isVisible() && screen())
        move(screen()->availableGeometry().center() - rect().center());
    show();
    raise();
    activateWindow();
}

void TSkinBrowserForm::ButtonAggiornaClick()
{
    FillList();
    m_settings.SetLines(QStringLiteral("SkinsList"), Lines());
}

QString TSkinBrowserForm::SelectedName() const
{
    const QListWidgetItem* item = SkinList->currentItem();
    return item && item->isSelected() ? item->text() : QString();
}

// A skin that cannot be shown gives way to the one in use, then to the
// built-in one.
void TSkinBrowserForm::SkinListClick()
{
    const QString name = SelectedName();
    if (name.isEmpty())
        return;
    const QString candidate = m_state.Dirs.SkinsDir + name;
    if (SkinPreview->LoadSkin(candidate) != 0 && SkinPreview->LoadSkin(m_state.Dirs.SkinDir) != 0)
        SkinPreview->LoadDefaultSkin();
    ReadmeSkin->setPlainText(ReadSkinReadme(candidate));
}

void TSkinBrowserForm::ButtonApplicaClick()
{
    const QString name = SelectedName();
    if (name.isEmpty())
        return;
    SkinListClick();
    ApplySkin(m_state.Dirs, name, m_target);
}

bool TSkinBrowserForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == SkinList && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            ButtonApplicaClick();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TSkinBrowserForm::showEvent(QShowEvent* event)
{
    MarkDialogShown(m_state.Windows, true);
    QWidget::showEvent(event);
}

void TSkinBrowserForm::closeEvent(QCloseEvent* event)
{
    MarkDialogShown(m_state.Windows, false);
    event->accept();
}

} // namespace velmoro::options
