#include "equalizer/eqpresetform.h"

#include "platform/logging.h"

#include <cerrno>

#include <QCloseEvent>
#include <QLineEdit>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace velmoro::equalizer {

TFormEqPreset::TFormEqPreset(app::WindowFlags& windows, const QString& appDir,
                             std::function<void(const PresetGains&)> load,
                             std::function<PresetGains()> current, QWidget* parent)
    : QDialog(parent), ListaPreset(new QListWidget(this)),
      ButtonCarica(new QPushButton(QStringLiteral("C&arica"), this)),
      ButtonNuovo(new QPushButton(QStringLiteral("N&uovo"), this)),
      ButtonCalcella(new QPushButton(QStringLiteral("&Calcella"), this)),
      ButtonCancel(new QPushButton(QStringLiteral("A&nnulla"), this)), m_windows(windows), m_appDir(appDir),
      m_load(std::move(load)), m_current(std::move(current))
{
    setObjectName(QStringLiteral("FormEqPreset"));
    setWindowTitle(QStringLiteral("Preset equalizzatore"));
    setModal(true);
    ListaPreset->setObjectName(QStringLiteral("ListaPreset"));
    ButtonCarica->setObjectName(QStringLiteral("ButtonCarica"));
    ButtonNuovo->setObjectName(QStringLiteral("ButtonNuovo"));
    ButtonCalcella->setObjectName(QStringLiteral("ButtonCalcella"));
    ButtonCancel->setObjectName(QStringLiteral("ButtonCancel"));
    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : {ButtonCarica, ButtonNuovo, ButtonCalcella, ButtonCancel}) {
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    buttons->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(ListaPreset);
    layout->addLayout(buttons);
    connect(ButtonCarica, &QPushButton::clicked, this, &TFormEqPreset::ButtonCaricaClick);
    connect(ButtonNuovo, &QPushButton::clicked, this, &TFormEqPreset::ButtonNuovoClick);
    connect(ButtonCalcella, &QPushButton::clicked, this, &TFormEqPreset::ButtonCalcellaClick);
    connect(ButtonCancel, &QPushButton::clicked, this, &TFormEqPreset::ButtonCancelClick);
    Dialogs.askText = [this](const QString& caption, const QString& prompt, const QString& text) {
        bool ok = false;
        const QString got = QInputDialog::getText(this, caption, prompt, QLineEdit::Normal, text, &ok);
        return ok ? std::optional<QString>(got) : std::nullopt;
    };
    Dialogs.showMessage = [this](const QString& text) {
        QMessageBox::information(this, windowTitle(), text);
    };
}

void TFormEqPreset::showEvent(QShowEvent* event)
{
    FormShow();
    QDialog::showEvent(event);
}

void TFormEqPreset::closeEvent(QCloseEvent* event)
{
    FormClose();
    QDialog::closeEvent(event);
}

void TFormEqPreset::FormShow()
{
    m_windows.HotKeysEnabled = false;
    m_windows.DialogOpen = true;
    FillList();
}

void TFormEqPreset::FormClose()
{
    m_windows.HotKeysEnabled = true;
    m_windows.DialogOpen = false;
}

platform::ProfileFile TFormEqPreset::ReadFile() const
{
    platform::ProfileFile file;
    // A missing or unreadable file is an empty list.
    if (const int error = file.Load(FilePath()); error != 0 && error != ENOENT)
        qCWarning(lcApp) << "cannot read" << FilePath() << "- error" << error;
    return file;
}

void TFormEqPreset::WriteFile(const platform::ProfileFile& file) const
{
    if (const int error = file.Save(FilePath()); error != 0)
        qCWarning(lcApp) << "cannot write" << FilePath() << "- error" << error;
}

void TFormEqPreset::FillList()
{
    ListaPreset->clear();
    ListaPreset->addItems(PresetNames(ReadFile()));
}

void TFormEqPreset::ButtonCaricaClick()
{
    const QListWidgetItem* item = ListaPreset->currentItem();
    if (!item || !item->isSelected())
        return;
    m_load(PresetGainsOf(ReadFile(), item->text()));
    close();
}

void TFormEqPreset::ButtonNuovoClick()
{
    const std::optional<QString> name = Dialogs.askText(
        QStringLiteral("Salva preset"), QStringLiteral("Nome"), QStringLiteral("Nuova equalizzazione"));
    if (!name)
        return;
    if (!PresetNameAllowed(*name)) {
        Dialogs.showMessage(kPresetNameRefused);
        return;
    }
    platform::ProfileFile file = ReadFile();
    QStringList shown;
    for (int row = 0; row < ListaPreset->count(); ++row)
        shown << ListaPreset->item(row)->text();
    SavePreset(file, shown, *name, m_current());
    WriteFile(file);
    FillList();
}

void TFormEqPreset::ButtonCalcellaClick()
{
    const int row = ListaPreset->currentRow();
    if (row < 0 || !ListaPreset->item(row)->isSelected())
        return;
    delete ListaPreset->takeItem(row);
    QStringList names;
    for (int r = 0; r < ListaPreset->count(); ++r)
        names << ListaPreset->item(r)->text();
    platform::ProfileFile file = ReadFile();
    WritePresetNames(file, names);
    WriteFile(file);
    close();
}

} // namespace velmoro::equalizer
