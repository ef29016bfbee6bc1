#pragma once
// TFormShowErrore: the program's own modal message for errors that leave the
// user a choice between carrying on and ending the program.
#include <QDialog>

#include <functional>

namespace velmoro::audio {
class IAudioLibrary;
}

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace velmoro::app {

class TFormShowErrore : public QDialog {
    Q_OBJECT
public:
    explicit TFormShowErrore(QWidget* parent = nullptr);

    // Shows title and text and waits, modal, until the window closes.
    void ShowErrorMessage(const QString& title, const QString& text);
    // Fills the window without showing it.
    void SetMessage(const QString& title, const QString& text);

    void ButtonChiudiClick();
    void ButtonArrestaClick();

    // Ends the program: the destroy-time cleanup (the audio library closed),
    // then the process exits, skipping every close-time saving; with code 0
    // unless the window was telling of a failed save at close.
    std::function<void()> OnArresta;

    QLabel* Image1;
    QLabel* LabelDescr;
    QPlainTextEdit* MemoDescr;
    QPushButton* ButtonChiudi;
    QPushButton* ButtonArresta;
};

// What "&Arresta applicazione" does in the program: the destroy-time cleanup
// (the audio library closed), then the exit at once — no window is closed,
// so nothing is saved. The code is 0 but when the window was telling of a
// failed save at close.
[[noreturn]] void EndProgramNow(audio::IAudioLibrary& audio, int exitCode = 0);

} // namespace velmoro::app
