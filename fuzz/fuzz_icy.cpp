// ICY metadata framing over arbitrary bytes and intervals.
#include "audio/icydeframer.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2)
        return 0;
    velmoro::audio::IcyDeframer deframer(std::size_t(data[0]) * 8 + data[1] % 8);
    std::vector<std::uint8_t> audio;
    for (std::size_t at = 2; at < size; at += 7)
        deframer.Push(data + at, std::min<std::size_t>(7, size - at), audio);
    if (audio.size() > size)
        std::abort();
    return 0;
}
