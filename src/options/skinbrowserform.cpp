#include "options/skinbrowserform.h"

#include "options/dialogflags.h"
#include "skin/screencursors.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>

namespace velmoro::options {

namespace {
const QString kSkinsList = QStringLiteral("SkinsList");
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
    // The options' copy of the list is the list as it was last read, also
    // before this window was made.
    SkinList->addItems(m_settings.Lines(kSkinsList));
    connect(&m_settings, &settings::Settings::Changed, this, [this](const QString& name) {
        // A click in the options' list changes its line, not its skins.
        if (name == kSkinsList && m_settings.Lines(kSkinsList) != Lines()) {
            SkinList->clear();
            SkinList->addItems(m_settings.Lines(kSkinsList));
        }
    });
}

skin::TWinampSkin& TSkinBrowserForm::SkinPreview()
{
    if (m_preview)
        return *m_preview;
    m_preview = new skin::TWinampSkin(GroupPreview);
    m_preview->setObjectName(QStringLiteral("SkinPreview"));
    m_preview->move(32, 15);
    m_preview->ApplicationActive = [] { return true; };
    m_preview->SetVolume(100);
    m_preview->SetTitle(QStringLiteral("*** Preview Skin ***"));
    m_preview->SetStatus(skin::ssPlay);
    m_preview->SetReady(true);
    m_preview->SetBitrate(128);
    m_preview->SetFrequency(44100);
    m_preview->SetLeftMeter(50);
    m_preview->SetRightMeter(50);
    m_preview->SetProgress(QStringLiteral("01 02"));
    m_preview->SetActive(true);
    m_preview->setCursor(skin::ScreenCursors::Instance().Cursor(kPreviewCursorSlot));
    // The skin in use, as the player loaded it: the cursor slots that every
    // skin control shares keep the player's cursors.
    if (m_preview->LoadSkin(m_state.Dirs.SkinDir) != 0)
        m_preview->LoadDefaultSkin();
    m_preview->show();
    return *m_preview;
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
    m_settings.SetLines(kSkinsList, Lines());
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
    skin::TWinampSkin& preview = SkinPreview();
    if (preview.LoadSkin(candidate) != 0 && preview.LoadSkin(m_state.Dirs.SkinDir) != 0)
        preview.LoadDefaultSkin();
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
    SkinPreview();
    MarkDialogShown(m_state.Windows, true);
    QWidget::showEvent(event);
}

void TSkinBrowserForm::closeEvent(QCloseEvent* event)
{
    MarkDialogShown(m_state.Windows, false);
    event->accept();
}

} // namespace velmoro::options
