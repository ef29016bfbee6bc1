#pragma once
// Where the generated MPEG fixtures are, for suites built with FIXTURES.
#include <QString>

namespace velmoro::test {

inline QString Fixture(const char* name)
{
    return QStringLiteral(VELMORO_FIXTURE_DIR "/") + QString::fromLatin1(name);
}

} // namespace velmoro::test
