// velmoro.ini may be edited by hand: any bytes must give settings within
// their ranges, and what is then written must read back the same.
#include "settings/settingsfile.h"

#include <QByteArrayView>
#include <QLoggingCategory>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

using namespace velmoro;

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // A warning per value read back would be most of the work.
    QLoggingCategory::setFilterRules(QStringLiteral("velmoro.*=false"));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    platform::ProfileFile file;
    file.Parse(QByteArrayView(reinterpret_cast<const char*>(data), qsizetype(size)));
    settings::Settings first;
    settings::ReadSettings(file, first);
    for (const QString& name : first.Names()) {
        if (first.KindOf(name) == settings::Settings::Kind::Track &&
            (first.Position(name) < first.Minimum(name) || first.Position(name) > first.Maximum(name)))
            std::abort();
    }
    platform::ProfileFile written;
    settings::WriteSettings(first, written);
    platform::ProfileFile reread;
    reread.Parse(written.ToBytes());
    settings::Settings second;
    settings::ReadSettings(reread, second);
    platform::ProfileFile rewritten;
    settings::WriteSettings(second, rewritten);
    if (rewritten.ToBytes() != written.ToBytes())
        std::abort();
    return 0;
}
