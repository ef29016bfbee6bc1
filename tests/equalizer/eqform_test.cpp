// The equalizer window's handlers over a recording audio library, in both
// modes: the shared slider value of the design and the gains of the audible
// mode, the buttons' pictures, the double click, and the auto preset.
#include "app/equalizer.h"
#include "equalizer/eqform.h"
#include "settings/windowscale.h"
#include "skin/skinsource.h"
#include "support/fakeaudio.h"
#include "support/fixturepath.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTest>
#include <QTransform>
#include <gtest/gtest.h>

#include <algorithm>

using namespace velmoro;
using equalizer::TFormEqualizzatore;
using test::Fixture;

namespace {

class EqFormTest : public testing::Test {
protected:
    EqFormTest() : engine(state.Eq, state.Playback, settings, audio), form(state, settings, engine)
    {
        state.Dirs.AppDir = dir.path() + u'/';
        form.CaricaEqSkinClick(skin::BuiltInSkin());
    }

    void Audible()
    {
        settings.SetChecked(QStringLiteral("EqualizzatoreAttivoCheck"), true);
        form.CaricaEqSkinClick(skin::BuiltInSkin());
    }
    void Drag(int slider, int y)
    {
        form.SliderMouseDown(slider);
        form.SliderMouseMove(slider, y);
        form.SliderMouseUp(slider);
    }
    // The window's pixels over one control.
    QImage At(QRect area) const { return form.Picture().copy(area); }
    QImage Painted(const skin::EqualizerView& view) const
    {
        skin::EqualizerSkin sheet;
        QImage image;
        skin::PaintEqualizerWindow(sheet, view, image);
        return image;
    }

    QTemporaryDir dir;
    app::PlayerState state;
    settings::Settings settings;
    test::FakeAudio audio;
    app::EqualizerEngine engine;
    TFormEqualizzatore form;
};

TEST_F(EqFormTest, TheDesignedSlidersShareOneValueThatReachesNoGain)
{
    EXPECT_EQ(form.TempTrack(), 1);
    skin::EqualizerView view;
    view.sliders[0] = view.sliders[1] = skin::EqSliderLook{1, true};
    EXPECT_EQ(form.Picture(), Painted(view)); // the first two drawn, pressed thumbs
    Drag(5, 0);
    EXPECT_EQ(form.TempTrack(), -14);
    Drag(7, 63);
    EXPECT_EQ(form.TempTrack(), 14);
    form.SliderMouseMove(7, 0); // the button is up: nothing
    EXPECT_EQ(form.TempTrack(), 14);
    EXPECT_EQ(state.Eq.EqSlider, (std::array<std::int32_t, 10>{}));
    EXPECT_TRUE(audio.fxPushes.empty());
    view.sliders[5] = skin::EqSliderLook{-14, false};
    view.sliders[7] = skin::EqSliderLook{14, false};
    EXPECT_EQ(At(skin::EqSliderRect(5)), Painted(view).copy(skin::EqSliderRect(5)));
    EXPECT_EQ(At(skin::EqSliderRect(7)), Painted(view).copy(skin::EqSliderRect(7)));
}

TEST_F(EqFormTest, TheEnableButtonTogglesOnEachClickAndTwiceOnADoubleClick)
{
    form.EqEnableImgMouseDown();
    skin::EqualizerView view;
    view.enable = skin::EqButtonLook::PressedOff;
    EXPECT_EQ(At(skin::kEqEnableButton), Painted(view).copy(skin::kEqEnableButton));
    form.EqEnableImgClick();
    form.EqEnableImgMouseUp();
    EXPECT_TRUE(state.Eq.EqEnabled);
    view.enable = skin::EqButtonLook::On;
    EXPECT_EQ(At(skin::kEqEnableButton), Painted(view).copy(skin::kEqEnableButton));
    ASSERT_EQ(audio.fxPushes.size(), 7u);
    EXPECT_EQ(audio.fxPushes[0].parameters.bandwidth, 3.0f);

    // The window system's own events: a click, then a press that it tells as
    // a double click, and the release.
    QTest::mouseClick(form.EqEnableImg, Qt::LeftButton);
    QTest::mousePress(form.EqEnableImg, Qt::LeftButton);
    QMouseEvent doubleClick(QEvent::MouseButtonDblClick, QPointF(3, 3),
                            form.EqEnableImg->mapToGlobal(QPointF(3, 3)), Qt::LeftButton, Qt::LeftButton,
                            Qt::NoModifier);
    QApplication::sendEvent(form.EqEnableImg, &doubleClick);
    QTest::mouseRelease(form.EqEnableImg, Qt::LeftButton);
    EXPECT_TRUE(state.Eq.EqEnabled); // off and on again
    EXPECT_EQ(audio.fxPushes.size(), 21u);
}

TEST_F(EqFormTest, TheAutoButtonChangesOnlyItsPicture)
{
    const QImage before = form.Picture();
    for (int tag : {1, 0}) {
        form.AutoEqImgMouseDown();
        form.AutoEqImgClick();
        form.AutoEqImgMouseUp();
        EXPECT_EQ(form.AutoTag(), tag);
        skin::EqualizerView view;
        view.sliders[0] = view.sliders[1] = skin::EqSliderLook{1, true};
        view.autoButton = tag ? skin::EqButtonLook::On : skin::EqButtonLook::Off;
        EXPECT_EQ(form.Picture(), Painted(view));
    }
    EXPECT_EQ(form.Picture(), before);
    EXPECT_FALSE(state.Eq.EqEnabled);
    EXPECT_TRUE(audio.fxPushes.empty());
}

TEST_F(EqFormTest, AudibleSlidersAreGainsWithTheTopLoudest)
{
    Audible();
    state.Eq.EqEnabled = true;
    Drag(0, 0);  // the preamplifier at the top
    Drag(3, 63); // band 3 at the bottom
    Drag(10, 32);
    EXPECT_EQ(state.Eq.EqPreamp, 14);
    EXPECT_EQ(state.Eq.EqSlider[2], -14);
    EXPECT_EQ(state.Eq.EqSlider[9], 0);
    skin::EqualizerView view;
    for (int i = 0; i < skin::kEqSliderCount; ++i)
        view.sliders[std::size_t(i)] = skin::EqSliderLook{-engine.Gain(i), false};
    view.curve.resize(113);
    for (int c = 0; c < 113; ++c)
        view.curve[std::size_t(c)] = app::EqualizerResponseDb(state.Eq.EqSlider, skin::EqCurveFrequency(c));
    EXPECT_EQ(form.Picture(), Painted(view));
    // The curve dips at band 3 (310 Hz), and shows.
    EXPECT_LT(*std::min_element(view.curve.begin(), view.curve.end()), -10);
    EXPECT_NE(At(skin::kEqCurve), Painted({}).copy(skin::kEqCurve));
}

TEST_F(EqFormTest, TheAutoButtonLoadsThePresetOfTheSongsGenre)
{
    QFile file(state.Dirs.AppDir + QStringLiteral("eqpreset.ini"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[PresetList]\nPresetCount=2\nPreset1=Rock\nPreset2=JAZZ\n[Jazz]\nSlider2=9\nSlider9=-3\n");
    file.close();
    state.Playback.CurrentStream = 7;
    state.Playback.CurrentFileName = Fixture("l3-v1-44100-cbr128-id3v1.mp3"); // genre Jazz
    form.AutoEqImgClick(); // designed mode: only the picture
    EXPECT_EQ(state.Eq.EqSlider[1], 0);
    form.AutoEqImgClick();
    Audible();
    form.AutoEqImgClick();
    EXPECT_EQ(state.Eq.EqSlider[1], 9);
    EXPECT_EQ(state.Eq.EqSlider[8], -3);
    state.Eq.EqSlider.fill(0);
    state.Playback.CurrentFileName = Fixture("l3-v1-44100-cbr128-stereo.mp3"); // no tag
    form.StreamOpened();
    EXPECT_EQ(state.Eq.EqSlider[1], 0);
}

// Double size doubles the picture pixel for pixel, the areas over it and
// region.txt's [Equalizer] shape; a drag in a slider reads skin pixels.
TEST_F(EqFormTest, DoubleSizeScalesThePictureTheAreasAndTheShape)
{
    QFile region(dir.filePath(QStringLiteral("skin/region.txt")));
    ASSERT_TRUE(QDir().mkpath(dir.filePath(QStringLiteral("skin"))));
    ASSERT_TRUE(region.open(QIODevice::WriteOnly));
    region.write("[Normal]\nNumPoints=3\nPointList=0,0 275,0 0,116\n"
                 "[Equalizer]\nNumPoints=4\nPointList=2,0 273,0 273,116 2,116\n");
    region.close();
    const std::unique_ptr<skin::SkinSource> source =
        skin::OpenSkinSource(dir.filePath(QStringLiteral("skin")));
    ASSERT_TRUE(source);
    form.CaricaEqSkinClick(*source);
    const QRegion shape(QPolygon({{2, 0}, {273, 0}, {273, 116}, {2, 116}}));
    EXPECT_EQ(form.mask(), shape);

    settings.SetChecked(settings::kDoubleSizeSetting, true);
    EXPECT_EQ(form.Scale(), 2);
    EXPECT_EQ(form.size(), QSize(550, 232));
    EXPECT_EQ(form.mask(), QTransform::fromScale(2, 2).map(shape));
    const QRect slider = skin::EqSliderRect(7);
    EXPECT_EQ(form.SliderImgs[7]->geometry(), QRect(slider.topLeft() * 2, slider.size() * 2));
    EXPECT_EQ(form.SfondoEq->geometry().size(), skin::kEqBackground.size() * 2);
    const auto mouse = [&](QEvent::Type type, int y) {
        QMouseEvent event(type, QPointF(2, y), form.SliderImgs[7]->mapToGlobal(QPointF(2, y)), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(form.SliderImgs[7], &event);
    };
    mouse(QEvent::MouseButtonPress, 2 * 63 + 1);
    mouse(QEvent::MouseMove, 2 * 63 + 1);
    EXPECT_EQ(form.TempTrack(), 14);
    mouse(QEvent::MouseMove, -1); // just above: the top
    EXPECT_EQ(form.TempTrack(), -14);
    mouse(QEvent::MouseButtonRelease, -1);

    const QImage shown = form.grab().toImage();
    ASSERT_EQ(shown.size(), QSize(550, 232));
    for (const QPoint p : {QPoint(10, 10), slider.center(), QPoint(270, 110)})
        for (const QPoint corner : {QPoint(0, 0), QPoint(1, 1)})
            EXPECT_EQ(shown.pixel(2 * p + corner), form.Picture().pixel(p)) << p.x() << "," << p.y();

    settings.SetChecked(settings::kDoubleSizeSetting, false);
    EXPECT_EQ(form.size(), skin::kEqWindowSize);
    EXPECT_EQ(form.SliderImgs[7]->geometry(), slider);
    EXPECT_EQ(form.mask(), shape);
}

} // namespace
