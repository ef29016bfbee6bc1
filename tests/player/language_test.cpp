// The shipped translation against the captions the windows write: every key
// translated, and no accelerator letter taken twice in one window.
#include "options/languagefile.h"
#include "player/controllers.h"
#include "player/playerform.h"

#include <QSet>
#include <gtest/gtest.h>

using namespace velmoro;

namespace {

// The letter after a single "&", lower case; none for "&&" or no "&".
QChar Accelerator(const QString& caption)
{
    for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != u'&')
            continue;
        if (caption[i + 1] != u'&')
            return caption[i + 1].toLower();
        ++i;
    }
    return {};
}

} // namespace

TEST(ShippedLanguage, EnglishTranslatesEveryCaption)
{
    app::PlayerState state;
    settings::Settings settings;
    test::FakeAudio audio;
    player::TPlayerForm form(state, settings, audio, {});
    const QList<QWidget*> windows = form.LanguageWindows(options::OptionsHost::LazyWindows::Make);
    ASSERT_EQ(windows.size(), 14);
    platform::ProfileFile italian;
    options::WriteCaptions(windows, italian);
    platform::ProfileFile english;
    ASSERT_EQ(english.Load(QStringLiteral(VELMORO_LANG_DIR "/English.txt")), 0);

    QStringList sections{"LangTags"};
    for (const QWidget* window : windows)
        sections << window->objectName();
    for (const QString& section : sections) {
        QSet<QChar> accelerators;
        for (const QString& key : italian.Keys(section)) {
            const std::string where = (section + '/' + key).toStdString();
            ASSERT_TRUE(english.Contains(section, key)) << where << " lacks its translation";
            const QString translated = english.Value(section, key);
            const bool caption = !italian.Value(section, key).isEmpty();
            EXPECT_FALSE(caption && translated.isEmpty()) << where << " translated as nothing";
            if (const QChar letter = Accelerator(translated); !letter.isNull()) {
                EXPECT_FALSE(accelerators.contains(letter)) << where << " takes its letter again";
                accelerators.insert(letter);
            }
        }
    }
}
