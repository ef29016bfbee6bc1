// What the equalizer's filters do to what is heard, measured on the manual
// device: a band raises its centre by its gain and leaves frequencies an
// octave away alone, a change glides instead of stepping, and a boost past
// full scale saturates instead of wrapping.
#include "audiotest.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>

using namespace velmoro::audio;
using velmoro::test::AudioFixture;
using velmoro::test::ManualLibrary;

namespace {

constexpr std::uint32_t kFlags = kStreamFx | kStreamExactSeek;
constexpr int kRate = 44100;
constexpr float kCentres[10] = {80, 170, 310, 600, 1000, 3000, 6000, 12000, 14000, 16000};

// One channel's Hann-windowed DFT at one frequency, over frames [from, end).
std::complex<double> Dft(const std::vector<std::int16_t>& s, int channel, double frequency, std::size_t from)
{
    const std::size_t frames = s.size() / 2 - from;
    static std::vector<double> window;
    if (window.size() != frames) {
        window.resize(frames);
        for (std::size_t i = 0; i < frames; ++i)
            window[i] = 0.5 - 0.5 * std::cos(2 * M_PI * double(i) / double(frames));
    }
    const std::complex<double> turn = std::polar(1.0, -2 * M_PI * frequency / kRate);
    std::complex<double> phase = 1;
    std::complex<double> sum;
    for (std::size_t i = 0; i < frames; ++i) {
        sum += window[i] * double(s[(from + i) * 2 + std::size_t(channel)]) * phase;
        phase *= turn;
    }
    return sum;
}

// A stream of the noise with ten bands attached, the band `raised` at
// `gain` dB and the others flat, rendered whole (three seconds).
std::vector<std::int16_t> NoiseThroughBands(int raised, float gain)
{
    ManualLibrary m;
    const Handle s = m.lib->StreamCreateFile(AudioFixture("noise-v1-44100-cbr320.mp3"), kFlags);
    for (int band = 0; band < 10; ++band) {
        const Handle fx = m.lib->ChannelSetFX(s, FxKind::PeakingEq);
        EXPECT_TRUE(m.lib->FXSetParameters(fx, {kCentres[band], 3, band == raised ? gain : 0}));
    }
    m.lib->StreamPlay(s, false, 0);
    return m.RenderStereo(3 * kRate, 4096);
}

// How much louder `with` is than `plain` at a frequency, in dB: the power
// of both channels at nine points within a quarter of a semitone of it, so
// that noise that happens to be faint at one point does not decide; the
// first quarter second (the glide) left out.
double GainAt(const std::vector<std::int16_t>& with, const std::vector<std::int16_t>& plain, double frequency)
{
    double powerWith = 0;
    double powerPlain = 0;
    for (int k = -4; k <= 4; ++k) {
        const double f = frequency * std::exp2(k / 192.0);
        for (int channel = 0; channel < 2; ++channel) {
            powerWith += std::norm(Dft(with, channel, f, kRate / 4));
            powerPlain += std::norm(Dft(plain, channel, f, kRate / 4));
        }
    }
    return 10 * std::log10(powerWith / powerPlain);
}

TEST(EqualizerSound, EachBandRaisesItsCentreAndLeavesAnOctaveAwayAlone)
{
    const std::vector<std::int16_t> plain = NoiseThroughBands(-1, 0);
    for (int band = 0; band < 10; ++band) {
        const float gain = band % 2 ? 14.0f : 9.0f;
        const std::vector<std::int16_t> with = NoiseThroughBands(band, gain);
        EXPECT_NEAR(GainAt(with, plain, kCentres[band]), gain, 1.0) << "band " << band + 1;
        for (double away : {kCentres[band] / 2.0, kCentres[band] * 2.0, kCentres[band] / 4.0}) {
            if (away < 30 || away > 19000)
                continue;
            EXPECT_NEAR(GainAt(with, plain, away), 0, 1.0) << "band " << band + 1 << " at " << away << " Hz";
        }
    }
}

// The per-cycle peaks of one channel of a 1 kHz sine (44.1 frames a cycle).
std::vector<int> CyclePeaks(const std::vector<std::int16_t>& s)
{
    std::vector<int> peaks;
    for (std::size_t start = 0; start + 45 <= s.size() / 2; start += 45) {
        int peak = 0;
        for (std::size_t i = start; i < start + 45; ++i)
            peak = std::max(peak, std::abs(int(s[i * 2])));
        peaks.push_back(peak);
    }
    return peaks;
}

TEST(EqualizerSound, AGainMovedWhileASinePlaysGlides)
{
    ManualLibrary m;
    const Handle s = m.lib->StreamCreateFile(AudioFixture("sine1k-v1-44100-cbr256.mp3"), kFlags);
    const Handle fx = m.lib->ChannelSetFX(s, FxKind::PeakingEq);
    m.lib->StreamPlay(s, false, 0);
    m.RenderStereo(kRate / 10);
    const int before = velmoro::test::Peak(m.RenderStereo(kRate / 20), 0);
    ASSERT_TRUE(m.lib->FXSetParameters(fx, {1000, 3, -12}));
    // Heard from the very next block, and whole within 50 ms.
    const std::vector<std::int16_t> moving = m.RenderStereo(kRate / 20, 441);
    const std::vector<int> peaks = CyclePeaks(moving);
    const int after = peaks.back();
    EXPECT_NEAR(20 * std::log10(double(after) / before), -12, 1.0);
    EXPECT_LT(peaks[2], before * 9 / 10);
    // 20 ms is about 20 cycles: no cycle may fall by more than a few of
    // those steps, where an instant change would drop by most of it at once.
    const int allowed = (before - after) / 20 * 3;
    for (std::size_t i = 1; i < peaks.size(); ++i)
        EXPECT_LE(peaks[i - 1] - peaks[i], allowed) << "cycle " << i;
}

TEST(EqualizerSound, EveryBandAtTheTopSaturatesAFullScaleSineWithoutWrapping)
{
    ManualLibrary m;
    const Handle s = m.lib->StreamCreateFile(AudioFixture("sine1k-v1-44100-cbr256.mp3"), kFlags);
    // The fixture is at half of full scale: the preamplifier's +6 dB makes
    // it full scale before the bands.
    const Handle preamp = m.lib->ChannelSetFX(s, FxKind::Gain);
    ASSERT_TRUE(m.lib->FXSetParameters(preamp, {0, 0, 6.0206f}));
    for (float centre : kCentres)
        ASSERT_TRUE(m.lib->FXSetParameters(m.lib->ChannelSetFX(s, FxKind::PeakingEq), {centre, 3, 14}));
    m.lib->StreamPlay(s, false, 0);
    const std::vector<std::int16_t> out = m.RenderStereo(kRate / 2);
    int atTheTop = 0;
    for (std::size_t i = 2; i < out.size(); ++i) {
        // A sum that wrapped would leap between the two ends in one sample.
        ASSERT_LT(std::abs(int(out[i]) - int(out[i - 2])), 40000) << "sample " << i;
        atTheTop += out[i] == 32767 || out[i] == -32768;
    }
    EXPECT_GT(atTheTop, int(out.size()) / 10);
}

TEST(EqualizerSound, FlatBandsLeaveTheSoundAsItWas)
{
    // Flat from the start; then raised and brought back to flat.
    const auto render = [](bool bands, bool raisedOnce) {
        ManualLibrary m;
        const Handle s = m.lib->StreamCreateFile(AudioFixture("noise-v1-44100-cbr320.mp3"), kFlags);
        std::vector<Handle> fx;
        for (int band = 0; bands && band < 10; ++band)
            fx.push_back(m.lib->ChannelSetFX(s, FxKind::PeakingEq));
        for (std::size_t band = 0; band < fx.size(); ++band)
            m.lib->FXSetParameters(fx[band], {kCentres[band], 3, raisedOnce ? 12.0f : 0.0f});
        m.lib->StreamPlay(s, false, 0);
        std::vector<std::int16_t> heard = m.RenderStereo(kRate / 4);
        for (std::size_t band = 0; band < fx.size(); ++band)
            m.lib->FXSetParameters(fx[band], {kCentres[band], 10, 0});
        const std::vector<std::int16_t> later = m.RenderStereo(kRate / 2);
        heard.insert(heard.end(), later.begin(), later.end());
        return heard;
    };
    const std::vector<std::int16_t> plain = render(false, false);
    EXPECT_EQ(render(true, false), plain);
    // Once the glide and what the bands held have died away, exactly as without them.
    const std::vector<std::int16_t> back = render(true, true);
    ASSERT_EQ(back.size(), plain.size());
    EXPECT_NE(back, plain);
    EXPECT_TRUE(std::equal(back.end() - kRate / 4 * 2, back.end(), plain.end() - kRate / 4 * 2));
}

TEST(EqualizerSound, ThePreamplifierScalesWhatIsHeard)
{
    const auto peakWith = [](float gain) {
        ManualLibrary m;
        const Handle s = m.lib->StreamCreateFile(AudioFixture("sine1k-v1-44100-cbr256.mp3"), kFlags);
        EXPECT_TRUE(m.lib->FXSetParameters(m.lib->ChannelSetFX(s, FxKind::Gain), {0, 0, gain}));
        m.lib->StreamPlay(s, false, 0);
        return velmoro::test::Peak(m.RenderStereo(kRate / 5), 0, kRate / 10);
    };
    const int plain = peakWith(0);
    EXPECT_NEAR(20 * std::log10(double(peakWith(-14)) / plain), -14, 0.3);
    EXPECT_NEAR(20 * std::log10(double(peakWith(5)) / plain), 5, 0.3);
}

} // namespace
