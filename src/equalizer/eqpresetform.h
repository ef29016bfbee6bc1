#pragma once
// TFormEqPreset: the modal dialog "Preset equalizzatore" over eqpreset.ini in
// AppDir: load a preset into the gains, save the gains under a name, delete
// a preset. The file is read when the dialog shows and written (atomically)
// by each change; a file that cannot be read counts as empty and a write
// that fails is logged, as the dialog never told the user of either.
#include "app/playerstate.h"
#include "equalizer/eqpresets.h"

#include <QDialog>

#include <functional>
#include <optional>

class QListWidget;
class QPushButton;

namespace velmoro::equalizer {

struct EqPresetDialogs {
    // An input box; nullopt when cancelled.
    std::function<std::optional<QString>(const QString& caption, const QString& prompt, const QString& text)>
        askText;
    std::function<void(const QString& text)> showMessage;
};

class TFormEqPreset : public QDialog {
    Q_OBJECT
public:
    // appDir is read at the moment of use. load receives the gains of the
    // preset chosen; current gives the gains to save.
    TFormEqPreset(app::WindowFlags& windows, const QString& appDir,
                  std::function<void(const PresetGains&)> load, std::function<PresetGains()> current,
                  QWidget* parent = nullptr);

    void FormShow();
    void FormClose();
    void ButtonCaricaClick();
    void ButtonNuovoClick();
    void ButtonCalcellaClick();
    void ButtonCancelClick() { close(); }

    QListWidget* ListaPreset;
    QPushButton* ButtonCarica;
    QPushButton* ButtonNuovo;
    QPushButton* ButtonCalcella;
    QPushButton* ButtonCancel;
    EqPresetDialogs Dialogs;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    QString FilePath() const { return m_appDir + kPresetFileName; }
    platform::ProfileFile ReadFile() const;
    void WriteFile(const platform::ProfileFile& file) const;
    void FillList();

    app::WindowFlags& m_windows;
    const QString& m_appDir;
    std::function<void(const PresetGains&)> m_load;
    std::function<PresetGains()> m_current;
};

} // namespace velmoro::equalizer
