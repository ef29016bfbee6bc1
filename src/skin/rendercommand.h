#pragma once
// The --render-skin command: renders a skin's main window, its playlist
// window or its equalizer window to a PNG without a display, for skin authors and for
// checking skins. Kept apart from any program so the player can offer it as a
// mode of its own.
#include <QImage>
#include <QList>
#include <QSize>
#include <QString>
#include <QStringList>

#include <optional>

namespace velmoro::skin {

struct RenderOptions {
    QString skinDirectory; // a folder or an archive; empty: the built-in skin
    QString title;
    QString progress;
    int volume = 80;
    int balance = 50;
    int position = 0;
    int bitrate = -1;
    int frequency = -1;
    int leftMeter = 0;
    int rightMeter = 0;
    QString status;      // "play", "pause", "stop" or empty
    QString stereo;      // "mono", "stereo" or empty
    QStringList checked; // "shuffle", "repeat", "eq", "pl"
    bool shade = false;
    bool inactive = false;
    int scale = 1;

    // The playlist window at this size instead of the main window, when valid.
    QSize playlistSize;
    std::optional<QStringList> rows; // one text a row; none: a few sample rows
    int currentRow = -1;
    int selectedRow = -1;
    QList<int> markedRows;
    int topRow = 0;
    QString positionStatus; // null: "current + 1/rows (0MB)"
    QString timeStatus;     // null: "00:00"
    int thumbTop = 0;
    bool thumbHeld = false;

    // The equalizer window instead of the main window, when set.
    bool equalizer = false;
    QList<int> eqSliders; // positions (−14 top … +14 bottom) from the first slider on; the rest undrawn
    QList<int> eqHeldSliders; // sliders whose thumb shows pressed
    QStringList eqOn;         // "enable", "auto"
    QStringList eqPressed;    // "enable", "auto", "preset"
};

// Renders the control as the options describe; nullopt with a message when
// the skin cannot be found or loaded. Needs a QApplication.
std::optional<QImage> RenderSkin(const RenderOptions& options, QString* error);

// Parses the arguments (after the program name, without "--render-skin"),
// renders and writes the PNG; the process exit status.
int RunRenderSkinCommand(const QStringList& arguments);

// The command as a whole program, on Qt's offscreen platform unless another
// is asked for: argv's first `skipped` arguments are the program's own (its
// name, "--render-skin"). The process exit status.
int RunRenderSkinProgram(int argc, char** argv, int skipped);

} // namespace velmoro::skin
