#pragma once
// The built-in visualizations of the player's display area, drawn into the
// off-screen VisBitmap: the oscilloscope of a block of samples, one frame of
// the spectrum, and the level meters' steps. Model code: the caller brings
// the background, the colours and the options, and copies each finished
// frame to the screen (a frame copy is the 80 × 19 corner of the bitmap).
//
// Lines end one pixel short of their end point and filled rectangles leave
// out their right and bottom edges, as the drawing these pictures were made
// for does: so the spectrum's bars are 3 pixels wide with a 1-pixel gap.
#include <QImage>
#include <QRect>
#include <QRgb>
#include <QSize>

#include <array>
#include <cstdint>
#include <functional>
#include <span>
#include <utility>

namespace velmoro::visual {

inline constexpr QSize kVisBitmapSize(100, 30);
// Where the frames show on the player window, and the part of them shown.
inline constexpr QRect kVisOutFrame(20, 41, 80, 19);
inline constexpr int kVisHeight = 19; // H of the drawings
// The part of main.bmp behind the display area, the background of every frame.
inline constexpr QRect kVisBackgroundCell(20, 41, 83, 22);

// A new VisBitmap.
QImage NewVisBitmap();

// Whether CopyPixels may copy between the two: 32-bit pixels that mean the
// same, an opaque source's bytes being those of a target with alpha.
bool SamePixelBytes(const QImage& source, const QImage& target);

// Copies `area` of `source` to `at` in `target` row by row, without a
// painter or an allocation: frames are copied up to a hundred times a
// second. SamePixelBytes must hold and the area fit in both.
void CopyPixels(const QImage& source, QRect area, QImage& target, QPoint at);

enum class OscilloscopeStyle { Points, Lines, Solid };

struct OscilloscopeOptions {
    OscilloscopeStyle style = OscilloscopeStyle::Points; // OSCPuntiCheck, OSCLineeCheck, OSCSolidoCheck
    int framesPerBlock = 5;                              // OSCTrackfps, 1–30
    int sampleStep = 4;                                  // RisoluzioneOSCTrack, 1–20
};

// One block of interleaved 16-bit stereo samples (the first channel is
// drawn): a frame of 99 points every sampleStep-th pair, each finished frame
// handed to showFrame as bitmap then holds it, at most framesPerBlock of
// them; points after the last whole frame are not shown. The number of
// frames shown.
int DrawOscilloscopeBlock(std::span<const std::int16_t> samples, const QImage& background, QRgb color,
                          const OscilloscopeOptions& options, QImage& bitmap,
                          const std::function<void()>& showFrame);

enum class SpectrumStyle { None, Bars, Lines, Solid };

struct SpectrumOptions {
    SpectrumStyle style = SpectrumStyle::Lines; // BarSpttCheck, SpetLineeCheck, SpecSolidoCheck
    int peakFall = 1;                           // SpecPicchiTrack, 1–5
    int barFall = 4;                            // TrackBarCadutaBarre, 1–5
    bool softFall = true;                       // CadutaSoftCheck
    bool showPeaks = true;                      // VisPicchiCheck
};

inline constexpr std::size_t kSpectrumValues = 513;

// PeakLevel and BarLevel: they carry over from frame to frame and track to
// track.
struct SpectrumLevels {
    std::array<std::int32_t, kSpectrumValues> peak{};
    std::array<std::int32_t, kSpectrumValues> bar{};
};

// The skin's 24 colours (viscolor.txt): 2–17 and beyond for the columns by
// height, 23 for the peaks.
using VisColors = std::array<QRgb, 24>;

// One spectrum frame of fft (kSpectrumValues values; fewer count as 0).
// True when the style drew a frame to copy; with no style the levels move
// and nothing is to be copied.
bool DrawSpectrum(std::span<const float> fft, const SpectrumOptions& options, const VisColors& colors,
                  const QImage& background, SpectrumLevels& levels, QImage& bitmap);

// The level meters' steps (0–49, left and right) of a channel level: the
// left channel in the low 16 bits, the right in the high ones.
std::pair<int, int> MeterSteps(std::uint32_t level);

} // namespace velmoro::visual
