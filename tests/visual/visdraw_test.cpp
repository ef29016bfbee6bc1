// The display area's drawings on fixed samples and spectra, pixel for pixel.
#include "visual/visdraw.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

using namespace velmoro::visual;

namespace {

constexpr QRgb kBackground = qRgb(0, 0, 40);
constexpr QRgb kTrace = qRgb(0, 255, 0);

QImage Background()
{
    QImage background(kVisBackgroundCell.size(), QImage::Format_RGB32);
    background.fill(kBackground);
    return background;
}

// The rows of column x that are not background, top to bottom.
std::vector<int> DrawnRows(const QImage& bitmap, int x, int height = kVisHeight)
{
    std::vector<int> rows;
    for (int y = 0; y < height; ++y)
        if (bitmap.pixel(x, y) != kBackground)
            rows.push_back(y);
    return rows;
}

// Interleaved stereo pairs whose first channel is `left`.
std::vector<std::int16_t> Pairs(const std::vector<std::int16_t>& left)
{
    std::vector<std::int16_t> samples;
    for (std::int16_t s : left) {
        samples.push_back(s);
        samples.push_back(0);
    }
    return samples;
}

VisColors Colours()
{
    VisColors colours{};
    for (std::size_t i = 0; i < colours.size(); ++i)
        colours[i] = qRgb(int(i) * 10, 100, 200);
    return colours;
}

} // namespace

// One frame of the style over the first channel `left` (99 points), as shown.
QImage OneFrame(OscilloscopeStyle style, const std::vector<std::int16_t>& left)
{
    QImage bitmap = NewVisBitmap();
    bitmap.fill(kBackground); // below the background too, so that every drawn pixel counts
    QImage shown;
    EXPECT_EQ(DrawOscilloscopeBlock(Pairs(left), Background(), kTrace, {style, 5, 1}, bitmap,
                                    [&] { shown = bitmap.copy(); }),
              1);
    EXPECT_EQ(bitmap.pixel(3, 0), kBackground); // the next frame started on a clean background
    return shown;
}

std::vector<int> Rows(int from, int to)
{
    std::vector<int> rows;
    for (int y = from; y <= to; ++y)
        rows.push_back(y);
    return rows;
}

TEST(Oscilloscope, PointsAndSolidOnFixedSamples)
{
    std::vector<std::int16_t> left(99, 0);
    left[0] = 16000;  // x 3: row 0
    left[1] = -16000; // x 4: row 22
    left[2] = 32767;  // x 5: row −12, above the bitmap
    left[3] = -32768; // x 6: row 34, below it
    left[4] = 1455;   // x 7: 11 − round(1.0003) = 10
    left[5] = 727;    // x 8: 0.49985 rounds to 0, row 11
    struct Case {
        OscilloscopeStyle style;
        std::vector<std::vector<int>> columns; // the rows drawn at x = 3 … 8
    };
    const Case cases[] = {
        {OscilloscopeStyle::Points, {{0}, {22}, {}, {}, {10}, {11}}},
        // From row 11 to the point, the point itself left out.
        {OscilloscopeStyle::Solid, {Rows(1, 11), Rows(11, 21), Rows(0, 11), Rows(11, 29), {11}, {}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.style));
        const QImage shown = OneFrame(c.style, left);
        for (int x = 3; x <= 8; ++x)
            EXPECT_EQ(DrawnRows(shown, x, 30), c.columns[std::size_t(x - 3)]) << "x " << x;
    }
}

TEST(Oscilloscope, LinesJoinThePointsAndLeaveTheLastOut)
{
    const QImage silence = OneFrame(OscilloscopeStyle::Lines, std::vector<std::int16_t>(99, 0));
    for (int x = 2; x < 100; ++x)
        EXPECT_EQ(DrawnRows(silence, x, 30), std::vector<int>{11}) << "x " << x;

    std::vector<std::int16_t> left(99, 0);
    left[0] = 16000; // from (2, 11) up to (3, 0), then down to (4, 11)
    const QImage jump = OneFrame(OscilloscopeStyle::Lines, left);
    std::vector<int> both = DrawnRows(jump, 2, 30);
    const std::vector<int> third = DrawnRows(jump, 3, 30);
    both.insert(both.end(), third.begin(), third.end());
    std::sort(both.begin(), both.end());
    EXPECT_EQ(both, Rows(0, 11)) << "no gap between the columns";
    EXPECT_EQ(jump.pixel(3, 0), kTrace); // drawn by the line that starts there
}

TEST(Oscilloscope, FramesPerBlockAndSampleStep)
{
    struct Case {
        std::size_t pairs;
        int framesPerBlock, step, frames;
    };
    const Case cases[] = {
        {1024, 30, 1, 10}, // 4096 bytes: 10 frames of 99 points, the rest not shown
        {1024, 5, 1, 5},   // at most framesPerBlock
        {1024, 30, 4, 2},  // 256 points
        {98, 30, 1, 0},    // not one whole frame
    };
    for (const Case& c : cases) {
        QImage bitmap = NewVisBitmap();
        int shown = 0;
        const std::vector<std::int16_t> silence(c.pairs * 2, 0);
        EXPECT_EQ(DrawOscilloscopeBlock(silence, Background(), kTrace,
                                        {OscilloscopeStyle::Points, c.framesPerBlock, c.step}, bitmap,
                                        [&] { ++shown; }),
                  c.frames)
            << c.pairs << " " << c.framesPerBlock << " " << c.step;
        EXPECT_EQ(shown, c.frames);
    }
}

TEST(Spectrum, HeightsColoursPeaksAndStyles)
{
    const VisColors colours = Colours();
    std::vector<float> fft(kSpectrumValues, 0.0f);
    fft[6] = 0.0f;  // column 1: height 1
    fft[7] = 1.0f;  // column 2: far more than the area, full height
    fft[8] = 0.04f; // column 3: round(7.6) + 1 = 9
    const SpectrumOptions soft{SpectrumStyle::Bars, 1, 4, false, false};

    SpectrumLevels levels;
    QImage bitmap = NewVisBitmap();
    bitmap.fill(kBackground); // beyond the background too, so that every drawn pixel counts
    ASSERT_TRUE(DrawSpectrum(fft, soft, colours, Background(), levels, bitmap));
    EXPECT_EQ(DrawnRows(bitmap, 4), std::vector<int>{18});           // x 4..6: column 1
    EXPECT_EQ(DrawnRows(bitmap, 7), std::vector<int>{});             // the gap
    EXPECT_EQ(DrawnRows(bitmap, 8).size(), std::size_t(kVisHeight)); // column 2, full height
    EXPECT_EQ(DrawnRows(bitmap, 12).size(), 9u);
    EXPECT_EQ(bitmap.pixel(4, 18), colours[20]);  // 2 + round(15 × 23 / 19)
    EXPECT_EQ(bitmap.pixel(8, 0), colours[6]);    // 2 + round(15 × 5 / 19)
    EXPECT_EQ(bitmap.pixel(12, 18), colours[14]); // 2 + round(15 × 15 / 19)
    EXPECT_EQ(levels.peak[7], kVisHeight);

    // The value falls away: the peak sinks by its fall, the bar by its own,
    // and with soft falling the bar is what is drawn.
    fft[7] = 0.0f;
    const SpectrumOptions peaks{SpectrumStyle::Bars, 2, 4, true, true};
    ASSERT_TRUE(DrawSpectrum(fft, peaks, colours, Background(), levels, bitmap));
    EXPECT_EQ(levels.peak[7], kVisHeight - 2);
    EXPECT_EQ(levels.bar[7], kVisHeight - 4);
    EXPECT_EQ(DrawnRows(bitmap, 8),
              (std::vector<int>{2, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18}));
    EXPECT_EQ(bitmap.pixel(8, 2), colours[23]);

    // Lines: 83 one-pixel columns from x = 5; solid: rows coloured by their
    // own height.
    SpectrumLevels fresh;
    fft[7] = 1.0f;
    ASSERT_TRUE(
        DrawSpectrum(fft, {SpectrumStyle::Lines, 1, 4, false, false}, colours, Background(), fresh, bitmap));
    EXPECT_EQ(DrawnRows(bitmap, 5), std::vector<int>{}); // height 1: the line from 19 ends short of 18
    EXPECT_EQ(DrawnRows(bitmap, 6).size(), std::size_t(kVisHeight - 1));
    EXPECT_EQ(bitmap.pixel(6, 10), colours[6]);
    EXPECT_EQ(bitmap.pixel(87, 19), colours[15]); // column 83, value 88: the last drawn, colour at most 15
    EXPECT_EQ(bitmap.pixel(88, 19), kBackground);
    SpectrumLevels fresh2;
    ASSERT_TRUE(
        DrawSpectrum(fft, {SpectrumStyle::Solid, 1, 4, false, false}, colours, Background(), fresh2, bitmap));
    EXPECT_EQ(DrawnRows(bitmap, 8).size(), std::size_t(kVisHeight));
    EXPECT_EQ(bitmap.pixel(8, 18), colours[16]); // k = 1: at most 16
    EXPECT_EQ(bitmap.pixel(8, 0), colours[5]);   // k = 19: 2 + round(15 × 5 / 24)
    EXPECT_EQ(DrawnRows(bitmap, 11), std::vector<int>{});

    // No style: the levels move, nothing is to be copied.
    SpectrumLevels none;
    EXPECT_FALSE(
        DrawSpectrum(fft, {SpectrumStyle::None, 1, 4, false, false}, colours, Background(), none, bitmap));
    EXPECT_EQ(none.peak[7], kVisHeight);
}

TEST(Meters, StepsOfTheLevel)
{
    EXPECT_EQ(MeterSteps(0), std::make_pair(0, 0));
    EXPECT_EQ(MeterSteps(98u | 97u << 16), std::make_pair(49, 48));
    EXPECT_EQ(MeterSteps(0xFFFFu | 0xFFFFu << 16), std::make_pair(49, 49));
}
