// Stored 492-byte records from arbitrary bytes: parsing never reads past the
// block, and what is parsed serialises back to a block of the same size that
// parses to the same tag texts.
#include "trackinfo/mpegaudiodata.h"

#include <cstdlib>

using namespace velmoro::trackinfo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    TMPEGAudioData d;
    if (!ParseRecord(bytes, d))
        return 0;
    const QByteArray again = SerializeRecord(d);
    if (again.size() != kRecordSize)
        std::abort();
    TMPEGAudioData back;
    if (!ParseRecord(again, back))
        std::abort();
    if (back.Title != d.Title || back.Comment != d.Comment || back.BitRate != d.BitRate ||
        back.Selected != d.Selected)
        std::abort();
    return 0;
}
