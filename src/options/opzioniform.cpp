#include "options/opzioniform.h"

#include "options/dialogflags.h"
#include "options/settingsbinder.h"
#include "platform/logging.h"

#include <QBoxLayout>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>
#include <QPixmap>
#include <QRegularExpression>

namespace velmoro::options {

namespace {

const QString kBookmarks = QStringLiteral("BookmarksListBox");
const QString kLanguageFolder = QStringLiteral("Lang");

template <typename W> W* Control(QWidget& form, const char* name)
{
    return form.findChild<W*>(QString::fromLatin1(name));
}

} // namespace

TOpzioniForm::TOpzioniForm(app::PlayerState& state, settings::Settings& settings, audio::IAudioLibrary& audio,
                           const FadeEditor& fades, LanguageChoice& languages, OptionsHost& host,
                           app::ShowErrorFunction showError, QWidget* parent)
    : QWidget(parent, Qt::Window), m_state(state), m_settings(settings), m_audio(audio), m_host(host),
      m_showError(std::move(showError)), m_fades(fades), m_languages(languages)
{
    setObjectName(QStringLiteral("OpzioniForm"));
    setWindowTitle(QStringLiteral("Opzioni"));
    PageOpzioni = new QTabWidget(this);
    BuildOptionsPages(*PageOpzioni);
    ButtonChiudi = new QPushButton(QStringLiteral("&Chiudi"), this);
    ButtonChiudi->setObjectName(QStringLiteral("ButtonChiudi"));
    // Hidden: the graph's redraw, and the language file buttons.
    const auto hidden = [this](const char* name, const QString& caption) {
        auto* button = new QPushButton(caption, this);
        button->setObjectName(QString::fromLatin1(name));
        button->hide();
        return button;
    };
    VisualCrossFadeButton = hidden("VisualCrossFadeButton", QString());
    ButtonSalvaLang = hidden("ButtonSalvaLang", QStringLiteral("Salva lang"));
    ButtonCaricaLang = hidden("ButtonCaricaLang", QStringLiteral("Carica"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(PageOpzioni);
    layout->addWidget(ButtonChiudi, 0, Qt::AlignRight);
    // Wide enough for the eight page tabs side by side.
    resize(sizeHint().expandedTo(QSize(620, 0)));

    CrossfadeImage = Control<QLabel>(*this, "CrossfadeImage");
    CrossfadeLabel = Control<QLabel>(*this, "CrossfadeLabel");
    LabelBufferLength = Control<QLabel>(*this, "LabelBufferLength");
    SkinsList = Control<QListWidget>(*this, "SkinsList");
    BookmarksListBox = Control<QListWidget>(*this, "BookmarksListBox");
    SkinFolderButton = Control<QPushButton>(*this, "SkinFolderButton");

    BindSettings(*this, m_settings);
    AskText = [this](const QString& title, const QString& prompt,
                     const QString& text) -> std::optional<QString> {
        bool ok = false;
        const QString answer = QInputDialog::getText(this, title, prompt, QLineEdit::Normal, text, &ok);
        return ok ? std::optional<QString>(answer) : std::nullopt;
    };
    ShowMessage = [this](const QString& text) { QMessageBox::information(this, windowTitle(), text); };
    ConnectHandlers();
    // The labels of values set before the window was made.
    CrossfadeLabel->setText(QStringLiteral("Crossfade tra una canzone e l'altra (%1 sec)")
                                .arg(m_settings.Position(QStringLiteral("NextStartTrack"))));
    FormCreate();
    m_languages.InForce().ApplyTo(*this);
    ShowValueCaptions();
}

void TOpzioniForm::ConnectHandlers()
{
    connect(ButtonChiudi, &QPushButton::clicked, this, &QWidget::close);
    connect(VisualCrossFadeButton, &QPushButton::clicked, this, &TOpzioniForm::VisualCrossFadeButtonClick);
    connect(SkinsList, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { SkinsListClick(SkinsList->row(item)); });
    connect(SkinFolderButton, &QPushButton::clicked, this, &TOpzioniForm::SkinFolderButtonClick);
    connect(BookmarksListBox, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { BookmarksListBoxDblClick(BookmarksListBox->row(item)); });
    connect(Control<QPushButton>(*this, "ButtonBMEdit"), &QPushButton::clicked, this,
            &TOpzioniForm::ButtonBMEditClick);
    connect(Control<QPushButton>(*this, "ButtonBMCanc"), &QPushButton::clicked, this,
            &TOpzioniForm::ButtonBMCancClick);
    connect(Control<QPushButton>(*this, "TextHelpButton"), &QPushButton::clicked, this,
            &TOpzioniForm::TextHelpButtonClick);
    connect(Control<QPushButton>(*this, "ButtonRinfrPlaylist"), &QPushButton::clicked, this,
            &TOpzioniForm::ButtonRinfrPlaylistClick);
    // A line the user picks, even the one shown: the output check boxes take
    // effect through it.
    connect(Control<QComboBox>(*this, "DeviceCombo"), &QComboBox::activated, this,
            &TOpzioniForm::DeviceComboChange);
    connect(Control<QComboBox>(*this, "LinguaComboBox"), &QComboBox::activated, this,
            &TOpzioniForm::LinguaComboBoxChange);
    connect(ButtonSalvaLang, &QPushButton::clicked, this, &TOpzioniForm::ButtonSalvaLangClick);
    connect(ButtonCaricaLang, &QPushButton::clicked, this, &TOpzioniForm::ButtonCaricaLangClick);
    connect(&m_fades, &FadeEditor::ShapeChanged, this, &TOpzioniForm::VisualCrossFadeButtonClick);
    connect(&m_languages, &LanguageChoice::Applied, this, &TOpzioniForm::ShowValueCaptions);
    connect(&m_settings, &settings::Settings::Changed, this, &TOpzioniForm::SettingChanged);
}

void TOpzioniForm::SettingChanged(const QString& name)
{
    if (name == u"LunghezzaBufferTrack")
        ShowBufferLength();
    else if (name == u"NextStartTrack")
        CrossfadeLabel->setText(CrossfadeCaption(m_settings.Position(name)));
}

QString TOpzioniForm::CrossfadeCaption(int seconds) const
{
    if (m_languages.InForce().Name().isEmpty())
        return QStringLiteral("Crossfade tra una canzone e l'altra (%1sec)").arg(seconds);
    // A translated caption keeps its words; only its number changes.
    QString caption = CrossfadeLabel->text();
    static const QRegularExpression number(QStringLiteral("\\d+"));
    QRegularExpressionMatch last;
    for (const QRegularExpressionMatch& match : number.globalMatch(caption))
        last = match;
    if (!last.hasMatch())
        return caption;
    return caption.replace(last.capturedStart(), last.capturedLength(), QString::number(seconds));
}

void TOpzioniForm::ShowBufferLength()
{
    const int tenths = m_settings.Position(QStringLiteral("LunghezzaBufferTrack"));
    LabelBufferLength->setText(QString::number(tenths) + QStringLiteral("00 ms"));
}

void TOpzioniForm::FormCreate()
{
    SkinFolderButton->setText(m_state.Dirs.SkinsDir);
    VisualCrossFadeButtonClick();
}

void TOpzioniForm::ButtonSalvaLangClick()
{
    const QString path = m_state.Dirs.AppDir + kLanguageFolder + QStringLiteral("/Italiano.txt");
    if (const int error = WriteLanguageFile(path, m_host.LanguageWindows(OptionsHost::LazyWindows::Make))) {
        qCWarning(lcSettings) << "the captions could not be written to" << path << qt_error_string(error);
        ShowMessage(QStringLiteral("Unable to write to %1").arg(path));
    }
}

void TOpzioniForm::ButtonCaricaLangClick()
{
    m_languages.ApplyChosen();
}

// The language file holds the values of the run that wrote it.
void TOpzioniForm::ShowValueCaptions()
{
    SkinFolderButton->setText(m_state.Dirs.SkinsDir);
    ShowBufferLength();
}

void TOpzioniForm::ShowOptions()
{
    show();
    raise();
    activateWindow();
}

void TOpzioniForm::ShowPage(OptionsPage page)
{
    PageOpzioni->setCurrentIndex(int(page));
    ShowOptions();
}

void TOpzioniForm::DeviceComboChange()
{
    app::InitAudioDevice(m_audio, m_settings.ItemIndex(QStringLiteral("DeviceCombo")),
                         app::OutputFlags(m_settings), m_showError);
}

void TOpzioniForm::VisualCrossFadeButtonClick()
{
    CrossfadeImage->setPixmap(QPixmap::fromImage(DrawCrossfadeGraph(m_fades.Shape())));
}

void TOpzioniForm::SkinsListClick(int row)
{
    const QStringList skins = m_settings.Lines(QStringLiteral("SkinsList"));
    if (row < 0 || row >= skins.size())
        return;
    ApplySkin(m_state.Dirs, skins[row], m_host);
}

void TOpzioniForm::SkinFolderButtonClick()
{
    const QString skinsDir = m_state.Dirs.SkinsDir;
    const std::optional<QString> answer =
        AskText(QStringLiteral("Cambia directory Skin"), QStringLiteral("Cartella Skin"), skinsDir);
    if (!answer)
        return;
    const std::optional<QString> folder = AcceptSkinsFolder(*answer, skinsDir);
    if (!folder)
        return;
    m_state.Dirs.SkinsDir = *folder;
    // The skin browser, once made, shows the same list.
    m_settings.SetLines(QStringLiteral("SkinsList"), ListSkins(*folder));
}

void TOpzioniForm::ButtonBMEditClick()
{
    QStringList lines = m_settings.Lines(kBookmarks);
    const int row = m_settings.ItemIndex(kBookmarks);
    if (row < 0 || row >= lines.size())
        return;
    const std::optional<QString> answer =
        AskText(QStringLiteral("Cambia segnalibro"), QStringLiteral("Indirizzo"), lines[row]);
    if (!answer || *answer == lines[row])
        return;
    lines[row] = *answer;
    m_settings.SetLines(kBookmarks, lines); // the line stays the current one
}

void TOpzioniForm::ButtonBMCancClick()
{
    QStringList lines = m_settings.Lines(kBookmarks);
    const int row = m_settings.ItemIndex(kBookmarks);
    if (row < 0 || row >= lines.size())
        return;
    lines.removeAt(row);
    m_settings.SetLines(kBookmarks, lines);
}

void TOpzioniForm::BookmarksListBoxDblClick(int row)
{
    const QStringList lines = m_settings.Lines(kBookmarks);
    if (row < 0 || row >= lines.size())
        return;
    m_host.OpenStream(lines[row]);
}

void TOpzioniForm::TextHelpButtonClick()
{
    ShowMessage(QStringLiteral("non implementato!"));
}

void TOpzioniForm::showEvent(QShowEvent* event)
{
    MarkDialogShown(m_state.Windows, true);
    QWidget::showEvent(event);
}

void TOpzioniForm::closeEvent(QCloseEvent* event)
{
    MarkDialogShown(m_state.Windows, false);
    event->accept();
}

} // namespace velmoro::options
