#pragma once
// What the playback engine shows and the commands it runs, recorded.
#include "app/engine.h"

#include <QString>

#include <functional>

namespace velmoro::test {

struct RecordingDisplay : app::EngineDisplay {
    QString title;
    int frequency = 0, bitrate = 0;
    bool stereo = false;
    int volume = 80, balance = 50;
    void SetTitle(const QString& t) override { title = t; }
    void SetFrequency(int f) override { frequency = f; }
    void SetBitrate(int b) override { bitrate = b; }
    void SetStereo(bool s) override { stereo = s; }
    int Volume() const override { return volume; }
    int Balance() const override { return balance; }
};

// next, when set, is what the player's next command does (open the next entry).
struct RecordingCommands : app::PlayerCommands {
    std::function<void()> next;
    int nextCalls = 0;
    int visStarts = 0;
    void NextCommand() override
    {
        ++nextCalls;
        if (next)
            next();
    }
    void StartVisPlugin() override { ++visStarts; }
};

} // namespace velmoro::test
