#include "platform/logging.h"

#include <gtest/gtest.h>

namespace velmoro {
namespace {

TEST(Logging, CategoriesAreQuietUntilRulesTurnThemOn)
{
    const QLoggingCategory& (*categories[])() = {lcApp,      lcAudio,    lcPlatform, lcPlayer,
                                                 lcPlaylist, lcSettings, lcSkin,     lcTrackInfo};
    for (auto category : categories) {
        EXPECT_FALSE(category().isWarningEnabled()) << category().categoryName();
        EXPECT_TRUE(QByteArray(category().categoryName()).startsWith("velmoro."));
    }
    QLoggingCategory::setFilterRules(QStringLiteral("velmoro.skin.warning=true"));
    EXPECT_TRUE(lcSkin().isWarningEnabled());
    EXPECT_FALSE(lcSkin().isDebugEnabled());
    EXPECT_FALSE(lcAudio().isWarningEnabled());
    QLoggingCategory::setFilterRules(QStringLiteral("velmoro.*=true"));
    EXPECT_TRUE(lcAudio().isDebugEnabled());
    QLoggingCategory::setFilterRules(QString());
    EXPECT_FALSE(lcAudio().isWarningEnabled());
}

} // namespace
} // namespace velmoro
