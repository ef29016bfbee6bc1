#pragma once
// The display area on the player window: VisOutFrame shows the frames of the
// visualizer (visual/visualizer.h), which the refresh tick drives with the
// moment the output plays, and the options of the settings as they are.
#include "app/playerstate.h"
#include "app/vissamples.h"
#include "audio/audiolibrary.h"
#include "player/refreshtick.h"
#include "settings/settings.h"
#include "skin/hitarea.h"
#include "skin/skinset.h"
#include "visual/visualizer.h"

#include <QImage>
#include <QObject>

namespace velmoro::player {

// VisOutFrame: takes the mouse as the other hit areas do, and shows the last
// frame copied to it. Without one, the skin beneath shows (its level meters).
class VisOutFrameArea : public skin::HitArea {
    Q_OBJECT
public:
    explicit VisOutFrameArea(QWidget* parent);
    void ShowFrame(const QImage& frame);
    void ClearFrame();
    const QImage& Frame() const { return m_frame; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool CopyToWindow();
    QImage m_frame;
};

class VisDisplay : public QObject, public VisTick {
    Q_OBJECT
public:
    VisDisplay(const app::PlaybackState& playback, settings::Settings& settings, audio::IAudioLibrary& audio,
               const app::VisSamples& samples, VisOutFrameArea& area);

    // LoadVisBackground from the skin shown; skinDirectory: SkinDir exists.
    void LoadVisBackground(const skin::SkinSet& skin, bool skinDirectory);

    // VisTick
    VisPace RunVis() override;
    std::uint32_t HeardLevel() override;

    visual::Visualizer& Model() { return m_visualizer; }

private:
    void ReadOptions();
    visual::HeardMoment Now() const;

    const app::PlaybackState& m_playback;
    settings::Settings& m_settings;
    audio::IAudioLibrary& m_audio;
    VisOutFrameArea& m_area;
    visual::Visualizer m_visualizer;
    visual::VisOptions m_options;
};

} // namespace velmoro::player
