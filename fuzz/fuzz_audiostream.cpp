// Arbitrary bytes as a stream from memory: the library creates no stream or
// one that plays, seeks and ends cleanly; nothing crashes or hangs.
#include "audio/library.h"

#include <cstdint>

using namespace velmoro::audio;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static ManualProvider* provider = nullptr;
    static AudioLibrary* library = [] {
        auto p = std::make_unique<ManualProvider>();
        provider = p.get();
        auto* lib = new AudioLibrary(std::move(p), LibraryOptions{false});
        lib->Init(-1, 44100, 0);
        lib->Start();
        return lib;
    }();
    const std::uint32_t flags =
        kStreamFx | (size % 2 ? kStreamExactSeek : 0) | (size % 3 == 0 ? kStreamHalfRate : 0);
    const Handle s = library->StreamCreateMemory(data, size, flags);
    if (s == 0)
        return 0;
    library->ChannelSetFX(s, velmoro::audio::FxKind::PeakingEq);
    // The decoder's rate, which may change from frame to frame, or one set.
    library->ChannelSetAttributes(s, size % 5 == 0 ? 22050 : 0, -1, -101);
    library->StreamPlay(s, false, 0);
    for (int i = 0; i < 8; ++i) {
        library->Update();
        provider->Current()->Step(2048);
    }
    library->ChannelSetPosition(s, library->StreamGetLength(s) / 2 & ~3u);
    library->Update();
    provider->Current()->Step(2048);
    provider->Current()->ClearCaptured();
    library->StreamFree(s);
    return 0;
}
