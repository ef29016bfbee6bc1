#pragma once
// TFormInfo, "Info": the about window. The product's name in a colour that
// swings from black through yellow toward red and back, the version and the
// day of the build, a banner, the licence and the libraries' notices, and
// the project's address.
#include "dialogs/gradientcolor.h"
#include "dialogs/hotkeydialog.h"

#include <QTimer>
#include <QUrl>

#include <functional>

class QFrame;
class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace velmoro::dialogs {

class TFormInfo : public HotKeyDialog {
    Q_OBJECT
public:
    explicit TFormInfo(app::WindowFlags& flags, QWidget* parent = nullptr);

    void FormShow();        // the title climbs again from where it stopped
    void TimerSfumaTimer(); // one step of the colour
    void Label2Click();     // opens the project's address
    void ButtonChiudiClick() { close(); }

    const TitleFade& Fade() const { return m_fade; }

    QLabel* Image1;
    QLabel* Image2;
    QLabel* LabelTitle;
    QLabel* LabelVer;
    QFrame* PanelBanner;
    QLabel* ImageBanner;
    QPlainTextEdit* MemoCred;
    QLabel* LabelCp;
    QLabel* LabelCp1;
    QLabel* Label2;
    QPushButton* ButtonChiudi;
    QTimer TimerSfuma;

    // Hands an address to the desktop's browser; tests record it instead.
    std::function<void(const QUrl&)> OpenAddress;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void SetTitleColour(const QColor& colour);

    TitleFade m_fade;
};

} // namespace velmoro::dialogs
