#pragma once
// The main window's skin seen through the interfaces of the engine and the
// player's controllers.
#include "app/engine.h"
#include "player/playerdisplay.h"
#include "skin/winampskin.h"

namespace velmoro::player {

class SkinDisplay : public app::EngineDisplay, public SkinControls, public TickDisplay {
public:
    explicit SkinDisplay(skin::TWinampSkin& skin) : m_skin(skin) {}

    // EngineDisplay
    void SetTitle(const QString& title) override { m_skin.SetTitle(title); }
    void SetFrequency(int hertz) override { m_skin.SetFrequency(hertz); }
    void SetBitrate(int kbps) override { m_skin.SetBitrate(kbps); }
    void SetStereo(bool stereo) override
    {
        m_skin.SetStereoMode(stereo ? skin::TStereoMode(skin::smStereo) : skin::TStereoMode(skin::smMono));
    }
    int Volume() const override { return m_skin.Volume(); } // also SkinControls
    int Balance() const override { return m_skin.Balance(); }

    // SkinControls
    bool ShuffleOn() const override { return m_skin.ShuffleOn; }
    bool RepeatOn() const override { return m_skin.RepeatOn; }
    void SetShuffle(bool on) override
    {
        m_skin.ShuffleOn = on;
        SetLight(skin::ckShuffle, on);
    }
    void SetRepeat(bool on) override
    {
        m_skin.RepeatOn = on;
        SetLight(skin::ckRepeat, on);
    }
    void SetVolume(int volume) override { m_skin.SetVolume(volume); }

    // TickDisplay
    skin::TStatus Status() const override { return m_skin.Status(); }
    void SetStatus(skin::TStatus status) override { m_skin.SetStatus(status); }
    int PositionBar() const override { return m_skin.PositionBar(); }
    void SetPositionBar(int position) override { m_skin.SetPositionBar(position); }
    QString Progress() const override { return m_skin.Progress(); }
    void SetProgress(const QString& text) override { m_skin.SetProgress(text); }
    int LeftMeter() const override { return m_skin.LeftMeter(); }
    int RightMeter() const override { return m_skin.RightMeter(); }
    void SetMeters(int left, int right) override
    {
        m_skin.SetLeftMeter(left);
        m_skin.SetRightMeter(right);
    }

private:
    void SetLight(skin::TSkinCheckedItem button, bool on)
    {
        m_skin.SetChecked(on ? m_skin.Checked() | button : m_skin.Checked() & ~skin::TSkinChecked(button));
    }

    skin::TWinampSkin& m_skin;
};

} // namespace velmoro::player
