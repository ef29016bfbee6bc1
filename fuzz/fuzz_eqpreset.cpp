// eqpreset.ini from arbitrary text: the names listed stay within the limit
// and the file's own keys, every gain read is within −14…+14, and a preset
// saved under a name that is allowed reads back as saved.
#include "equalizer/eqpresets.h"
#include "platform/profilefile.h"

#include <algorithm>
#include <cstdlib>

using namespace velmoro::equalizer;
using velmoro::platform::ProfileFile;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    ProfileFile file;
    file.Parse(QByteArrayView(data, qsizetype(size)));
    const QStringList names = PresetNames(file);
    if (names.size() > kMaxPresets)
        std::abort();
    for (const QString& name : names) {
        for (std::int32_t gain : PresetGainsOf(file, name))
            if (gain < -14 || gain > 14)
                std::abort();
    }
    // The input's first bytes as a name, as the user might type it.
    const QString name = QString::fromUtf8(QByteArrayView(data, qsizetype(std::min<std::size_t>(size, 40))));
    if (!PresetNameAllowed(name) || name.trimmed() != name || name.isEmpty() ||
        std::any_of(name.begin(), name.end(), [](QChar c) { return c.unicode() < 0x20; }))
        return 0;
    const PresetGains gains{1, -2, 3, -4, 5, -6, 7, -8, 9, -10};
    SavePreset(file, names, name, gains);
    ProfileFile reread;
    reread.Parse(file.ToBytes());
    if (PresetGainsOf(reread, name) != gains)
        std::abort();
    return 0;
}
