#pragma once
// TSkinBrowserForm: the skins of the skins folder, one previewed in a second
// skin control with fixed values and its readme shown, and the chosen one put
// on the player's windows. Made the first time it is wanted, shown modeless.
#include "app/playerstate.h"
#include "options/skinchoice.h"
#include "settings/settings.h"
#include "skin/winampskin.h"

#include <QGroupBox>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QWidget>

namespace velmoro::options {

class TSkinBrowserForm : public QWidget {
    Q_OBJECT
public:
    TSkinBrowserForm(app::PlayerState& state, settings::Settings& settings, SkinTarget& target,
                     QWidget* parent = nullptr);

    // SkinList from the skins folder as it is now. Made, the window shows
    // the options' copy of the list (SkinsList), and follows it.
    void FillList();
    QStringList Lines() const;
    void ShowBrowser();

    // Handlers
    void ButtonAggiornaClick(); // the list again, and the options' copy of it
    void SkinListClick();       // the preview
    void ButtonApplicaClick();  // also a double click or Enter on the list

    // The second skin control, made when first needed (drawing a skin at
    // once would slow every start for a window seldom opened), showing the
    // skin in use until another is clicked.
    skin::TWinampSkin& SkinPreview();

    QGroupBox* GroupPreview;
    QListWidget* SkinList;
    QPlainTextEdit* ReadmeSkin;
    QPushButton* ButtonAggiorna;
    QPushButton* ButtonApplica;
    QPushButton* ButtonChiudi;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QString SelectedName() const;

    app::PlayerState& m_state;
    settings::Settings& m_settings;
    SkinTarget& m_target;
    skin::TWinampSkin* m_preview = nullptr;
};

} // namespace velmoro::options
