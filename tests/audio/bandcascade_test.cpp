// The band cascade against the bands one after the other in double
// precision: the same sound for blocks of every size, also blocks shorter
// than the cascade is long.
#include "audio/bandcascade.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

using namespace velmoro::audio;

namespace {

TEST(BandCascade, GivesWhatTheBandsInSeriesGive)
{
    const float centres[] = {80, 170, 310, 600, 1000, 3000, 6000, 12000, 14000, 16000};
    for (const int bandCount : {1, 2, 10, BandCascade::kMaxBands}) {
        BandCascade cascade;
        std::vector<PeakingEq> reference(static_cast<std::size_t>(bandCount));
        for (int b = 0; b < bandCount; ++b) {
            ASSERT_TRUE(cascade.AddBand());
            const EqParameters p{centres[b % 10] * (1 + float(b / 10) * 0.1f), 3, b % 2 ? 12.0f : -9.0f};
            cascade.SetBand(b, PeakingCoefficients(p, 44100));
            reference[std::size_t(b)].Configure(p, 44100);
        }
        std::mt19937 random(7);
        std::uniform_real_distribution<float> noise(-8000, 8000);
        double worst = 0;
        for (const std::size_t frames : {441u, 1u, 5u, 4096u, 3u, 32u, 700u}) {
            std::vector<float> samples(frames * 2);
            for (float& s : samples)
                s = noise(random);
            std::vector<float> expected = samples;
            for (PeakingEq& band : reference)
                band.Process(expected.data(), frames);
            int chunks = 0;
            cascade.Process(samples.data(), frames, 32, [&] { ++chunks; });
            EXPECT_EQ(chunks, int((frames + std::size_t(bandCount) - 1 + 31) / 32)) << frames;
            for (std::size_t i = 0; i < samples.size(); ++i)
                worst = std::max(worst, std::fabs(double(samples[i]) - expected[i]));
        }
        // Float against double: a few steps of 16-bit sound, 80 dB below full scale.
        EXPECT_LT(worst, 4.0) << bandCount << " bands";
    }
    BandCascade full;
    for (int b = 0; b < BandCascade::kMaxBands; ++b)
        ASSERT_TRUE(full.AddBand());
    EXPECT_FALSE(full.AddBand());
    std::vector<float> passed{1, -2, 3, -4};
    full.Process(passed.data(), 2, 32, [] {});
    EXPECT_EQ(passed, (std::vector<float>{1, -2, 3, -4})); // bands never set pass everything
}

} // namespace
