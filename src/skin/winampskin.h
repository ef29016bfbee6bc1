#pragma once
// TWinampSkin: the main window drawn and operated from a classic skin. The
// widget is thin: the skin set, the element table, the painting and the
// gesture machine are model code; this class keeps the properties, paints
// through an off-screen image (a property change repaints only its element)
// and turns the gestures of its table into the published events.
#include "skin/gesture.h"
#include "skin/skinpainter.h"
#include "skin/skinset.h"
#include "skin/skintypes.h"

#include <QImage>
#include <QTimer>
#include <QWidget>

#include <functional>

class QMenu;

namespace velmoro::skin {

class TWinampSkin : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString Title READ Title WRITE SetTitle)
    Q_PROPERTY(QString Progress READ Progress WRITE SetProgress)
    Q_PROPERTY(int Volume READ Volume WRITE SetVolume)
    Q_PROPERTY(int Balance READ Balance WRITE SetBalance)
    Q_PROPERTY(int PositionBar READ PositionBar WRITE SetPositionBar)
    Q_PROPERTY(velmoro::skin::TStatus Status READ Status WRITE SetStatus)
    Q_PROPERTY(bool Ready READ Ready WRITE SetReady)
    Q_PROPERTY(int Bitrate READ Bitrate WRITE SetBitrate)
    Q_PROPERTY(int Frequency READ Frequency WRITE SetFrequency)
    Q_PROPERTY(velmoro::skin::TStereoMode StereoMode READ StereoMode WRITE SetStereoMode)
    Q_PROPERTY(int LeftMeter READ LeftMeter WRITE SetLeftMeter)
    Q_PROPERTY(int RightMeter READ RightMeter WRITE SetRightMeter)
    Q_PROPERTY(velmoro::skin::TSkinChecked Checked READ Checked WRITE SetChecked)
    Q_PROPERTY(bool Sticky READ Sticky WRITE SetSticky)
    Q_PROPERTY(bool Active READ Active WRITE SetActive)

public:
    explicit TWinampSkin(QWidget* parent = nullptr);

    int LoadDefaultSkin();
    int LoadSkin(const QString& directory);

    QString Title() const { return m_state.Title; }
    void SetTitle(const QString& title);
    QString Progress() const { return m_state.Progress; }
    void SetProgress(const QString& progress);
    int Volume() const { return m_state.Volume; }
    void SetVolume(int volume);
    int Balance() const { return m_state.Balance; }
    void SetBalance(int balance);
    int PositionBar() const { return m_state.PositionBar; }
    void SetPositionBar(int position);
    TStatus Status() const { return m_state.Status; }
    void SetStatus(TStatus status);
    bool Ready() const { return m_state.Ready; }
    void SetReady(bool ready);
    int Bitrate() const { return m_state.Bitrate; }
    void SetBitrate(int bitrate);
    int Frequency() const { return m_state.Frequency; }
    void SetFrequency(int frequency);
    TStereoMode StereoMode() const { return m_state.StereoMode; }
    void SetStereoMode(TStereoMode mode);
    int LeftMeter() const { return m_state.LeftMeter; }
    void SetLeftMeter(int value);
    int RightMeter() const { return m_state.RightMeter; }
    void SetRightMeter(int value);
    TSkinChecked Checked() const { return m_state.Checked; }
    void SetChecked(TSkinChecked checked);
    bool Sticky() const { return m_state.Sticky; }
    void SetSticky(bool sticky);
    bool Active() const { return m_state.Active; }
    void SetActive(bool active);
    // The clutterbar's A and D buttons stay lit while their modes are on.
    TClutterModes ClutterModes() const { return m_state.ClutterModes; }
    void SetClutterModes(TClutterModes modes);

    // Mirrors of ckShuffle and ckRepeat that the player window reads and flips.
    bool ShuffleOn = false;
    bool RepeatOn = false;

    // The menu the menu button shows; without one it raises OnMenuClick.
    void SetPopupMenu(QMenu* menu) { m_popupMenu = menu; }

    // Whether the application is the active one; replaceable for tests.
    std::function<bool()> ApplicationActive;

    // Paints everything again (the classic full paint).
    void Repaint();

    // Shown at `scale` times its size (1, or 2 in double size), pixel for
    // pixel; presses are read back in the window's own pixels, so every hit
    // area scales with the pictures.
    void SetScale(int scale);
    int Scale() const { return m_scale; }

    const SkinSet& Skin() const { return m_skin; }
    const QImage& Canvas() const { return m_canvas; }
    const DrawState& State() const { return m_state; }
    int DragMode() const { return m_gesture.Mode(); }
    QTimer& TitleScrollTimer() { return m_scrollTimer; }

    // One tick of the title scroll timer.
    void TitleScrollTimerTimer();

signals:
    void OnBackClick(velmoro::skin::TWinampSkin* Sender);
    void OnPlayClick(velmoro::skin::TWinampSkin* Sender);
    void OnPauseClick(velmoro::skin::TWinampSkin* Sender);
    void OnStopClick(velmoro::skin::TWinampSkin* Sender);
    void OnForwardClick(velmoro::skin::TWinampSkin* Sender);
    void OnEjectClick(velmoro::skin::TWinampSkin* Sender);
    void OnPlaylistClick(velmoro::skin::TWinampSkin* Sender, bool Checked);
    void OnEqualizerClick(velmoro::skin::TWinampSkin* Sender, bool Checked);
    void OnVolumeChange(velmoro::skin::TWinampSkin* Sender, int Volume);
    void OnBalanceChange(velmoro::skin::TWinampSkin* Sender, int Balance);
    void OnCloseClick(velmoro::skin::TWinampSkin* Sender);
    void OnMenuClick(velmoro::skin::TWinampSkin* Sender);
    void OnSticky(velmoro::skin::TWinampSkin* Sender, bool Sticky);
    void OnSkinChanged(velmoro::skin::TWinampSkin* Sender);
    // Release over a clutterbar button (a ClutterButton); at is where, on the screen.
    void OnClutterClick(velmoro::skin::TWinampSkin* Sender, int Button, QPoint At);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    SkinPainter Painter() { return SkinPainter(m_skin, m_canvas, m_titleBuffer); }
    void Redraw(QRect area) { update(QRect(area.topLeft() * m_scale, area.size() * m_scale)); }
    void FitSize();
    // A point of the widget in the window's own pixels, and back on the screen.
    QPoint Unscaled(QPoint p) const;
    QPoint OnScreen(QPoint p) const { return mapToGlobal(p * m_scale); }
    void InstallCursors();

    std::vector<GestureRow> GestureRows();
    bool PressButtons(QPoint p);
    bool PressTitleButtons(QPoint p);
    struct SliderGrip;
    static const SliderGrip kVolumeGrip;
    static const SliderGrip kBalanceGrip;
    bool PressSlider(QPoint p, const SliderGrip& grip);
    void ReleaseSlider(const SliderGrip& grip);
    bool PressPosition(QPoint p);
    void DragVolume(int x, int startX);
    void DragBalance(int x, int startX);
    void Move(QPoint p);
    void EmitClick(int button);
    void ReleaseButton();
    void ReleaseTitleButton(QPoint p);
    bool PressClutterBar(QPoint p);
    void ReleaseClutterBar(QPoint p);
    void ShowMessage(const QString& text);

    SkinSet m_skin;
    DrawState m_state;
    QImage m_canvas;
    QImage m_titleBuffer;
    QTimer m_scrollTimer;
    QMenu* m_popupMenu = nullptr;
    int m_scale = 1;

    GestureMachine m_gesture;
    int m_dragStartValue = 0; // of the slider being dragged
    int m_dragStartPosition = 0;
    int m_dragStartOffset = 0;
};

} // namespace velmoro::skin
