#include "dialogs/mpegform.h"

#include "dialogs/named.h"

#include "trackinfo/genres.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>

namespace velmoro::dialogs {

namespace {

QLabel* Caption(const QString& text, QWidget* parent, int x, int y)
{
    auto* label = new QLabel(text, parent);
    label->move(x, y);
    return label;
}

} // namespace

TmpegForm::TmpegForm(app::WindowFlags& flags, app::ShowErrorFunction showError, QWidget* parent)
    : HotKeyDialog(flags, parent), m_showError(std::move(showError))
{
    setObjectName(QStringLiteral("mpegForm"));
    setWindowTitle(QStringLiteral("File Tags"));
    setFixedSize(393, 318);
    BuildDescription();
    BuildHeader();
    BuildSongTags();
    BuildButtons();
    ConfirmUnrepresentable = [this](const QString& text) {
        return QMessageBox::warning(this, windowTitle(), text, QMessageBox::Yes | QMessageBox::No,
                                    QMessageBox::No) == QMessageBox::Yes;
    };
}

void TmpegForm::BuildDescription()
{
    GroupDescrizione = Named(new QGroupBox(QStringLiteral("Descrizione File"), this), "GroupDescrizione");
    GroupDescrizione->setGeometry(8, 4, 377, 112);
    fileEdit = Named(new QLineEdit(GroupDescrizione), "fileEdit");
    fileEdit->setReadOnly(true);
    fileEdit->setGeometry(8, 18, 361, 21);
    QLabel** lines[] = {&Label7, &Label8, &Label9, &Label11};
    const char* names[] = {"Label7", "Label8", "Label9", "Label11"};
    for (int i = 0; i < 4; ++i) {
        *lines[i] = Named(new QLabel(GroupDescrizione), names[i]);
        (*lines[i])->setGeometry(8, 44 + 16 * i, 240, 15);
    }
    Caption(QStringLiteral("Traccia"), GroupDescrizione, 256, 46);
    // An ID3v1 track is one byte: the box holds what can be saved.
    trackSpinEdit = Named(new QSpinBox(GroupDescrizione), "trackSpinEdit");
    trackSpinEdit->setRange(0, 255);
    trackSpinEdit->setGeometry(304, 42, 65, 21);
}

void TmpegForm::BuildHeader()
{
    GroupHeader = Named(new QGroupBox(QStringLiteral("Header"), this), "GroupHeader");
    GroupHeader->setGeometry(8, 120, 130, 158);
    headerListBox = Named(new QListWidget(GroupHeader), "headerListBox");
    headerListBox->setGeometry(8, 18, 114, 132);
    headerListBox->setSelectionMode(QAbstractItemView::NoSelection);
    headerListBox->setFocusPolicy(Qt::NoFocus);
}

void TmpegForm::BuildSongTags()
{
    GroupSongTags = Named(new QGroupBox(QStringLiteral("Song Tags"), this), "GroupSongTags");
    GroupSongTags->setGeometry(146, 120, 239, 158);
    const std::pair<const char*, QLineEdit**> edits[] = {
        {"Titolo", &titleEdit},     {"Artista", &artistEdit}, {"Album", &albumEdit},
        {"Commento", &commeneEdit}, {"Anno", &yearEdit},
    };
    const char* names[] = {"titleEdit", "artistEdit", "albumEdit", "commeneEdit", "yearEdit"};
    int y = 18;
    for (int i = 0; i < 5; ++i, y += 22) {
        Caption(QString::fromLatin1(edits[i].first), GroupSongTags, 8, y + 3);
        QLineEdit* edit = Named(new QLineEdit(GroupSongTags), names[i]);
        edit->setGeometry(80, y, 151, 21);
        *edits[i].second = edit;
    }
    yearEdit->resize(50, 21);
    Caption(QStringLiteral("Genere"), GroupSongTags, 8, y + 3);
    genereComboBox = Named(new QComboBox(GroupSongTags), "genereComboBox");
    genereComboBox->setGeometry(80, y, 151, 21);
    // An item's index is its genre code.
    for (const QString& genre : trackinfo::GenreNames())
        genereComboBox->addItem(genre);
}

void TmpegForm::BuildButtons()
{
    const std::tuple<QPushButton**, const char*, const char*> buttons[] = {
        {&Button1, "Button1", "Auto Build"},
        {&updateButton, "updateButton", "&Rimuvi Tag"},
        {&saveButton, "saveButton", "&Salva"},
        {&closeButton, "closeButton", "&Chiudi"},
    };
    int x = 8;
    for (const auto& [button, name, caption] : buttons) {
        *button = Named(new QPushButton(QString::fromUtf8(caption), this), name);
        (*button)->setGeometry(x, 286, 87, 25);
        (*button)->setAutoDefault(false);
        x += 97;
    }
    connect(Button1, &QPushButton::clicked, this, &TmpegForm::Button1Click);
    connect(updateButton, &QPushButton::clicked, this, &TmpegForm::updateButtonClick);
    connect(saveButton, &QPushButton::clicked, this, &TmpegForm::saveButtonClick);
    connect(closeButton, &QPushButton::clicked, this, &TmpegForm::closeButtonClick);
    // Enter in one of the five edits or in the track box saves.
    for (QLineEdit* edit :
         {titleEdit, artistEdit, albumEdit, commeneEdit, yearEdit, trackSpinEdit->findChild<QLineEdit*>()})
        connect(edit, &QLineEdit::returnPressed, this, &TmpegForm::saveButtonClick);
}

void TmpegForm::showEvent(QShowEvent* event)
{
    HotKeyDialog::showEvent(event);
    FormShow();
}

void TmpegForm::FormShow()
{
    fileEdit->setText(FileToShow);
    trackinfo::TMPEGAudio track;
    track.SetFileName(FileToShow);
    const TagEdits edits = EditsOf(track);
    titleEdit->setText(edits.title);
    artistEdit->setText(edits.artist);
    albumEdit->setText(edits.album);
    yearEdit->setText(edits.year);
    commeneEdit->setText(edits.comment);
    genereComboBox->setCurrentIndex(edits.genre.value_or(-1));
    trackSpinEdit->setValue(edits.track);

    const trackinfo::TMPEGAudioData& d = track.Data();
    headerListBox->clear();
    headerListBox->addItems(HeaderLines(d));
    Label7->setText(VersionLine(d));
    Label8->setText(SizeLine(d));
    Label11->setText(VolumeLine(d));
    Label9->setText(DateLine(track));
}

TagEdits TmpegForm::Edits() const
{
    const int genre = genereComboBox->currentIndex();
    return TagEdits{titleEdit->text(),     artistEdit->text(),
                    albumEdit->text(),     yearEdit->text(),
                    commeneEdit->text(),   genre < 0 ? std::nullopt : std::optional<int>(genre),
                    trackSpinEdit->value()};
}

void TmpegForm::saveButtonClick()
{
    const TagEdits edits = Edits();
    const QStringList unrepresentable = FieldsNotLatin1(edits);
    if (!unrepresentable.isEmpty() &&
        !ConfirmUnrepresentable(QStringLiteral("Caratteri non rappresentabili in: %1.\n"
                                               "Un tag ID3v1 accetta solo lettere dell'alfabeto latino "
                                               "(Latin-1): gli altri caratteri verrebbero salvati come "
                                               "\"?\".\nSalvare comunque?")
                                    .arg(unrepresentable.join(QStringLiteral(", ")))))
        return;
    const int result = SaveTag(FileToShow, edits);
    if (result != 0) {
        ShowFailure(TagChange::Save, result);
        return;
    }
    close();
}

void TmpegForm::updateButtonClick()
{
    const int result = RemoveTagOf(fileEdit->text());
    if (result != 0)
        ShowFailure(TagChange::Remove, result);
}

void TmpegForm::Button1Click()
{
    titleEdit->setText(AutoBuildTitle(fileEdit->text()));
}

void TmpegForm::ShowFailure(TagChange change, int result)
{
    if (m_showError)
        m_showError(change == TagChange::Save ? QStringLiteral("Tag non salvato!")
                                              : QStringLiteral("Tag non rimosso!"),
                    TagFailureText(change, fileEdit->text(), result));
}

} // namespace velmoro::dialogs
