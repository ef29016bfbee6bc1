#pragma once
// The crossfade graph of the options window: how the incoming track's volume
// rises and the outgoing one's falls, from the two fade timers' intervals and
// steps. A pure function of those four numbers, so that its pixels can be
// checked against a reference image.
#include <QImage>
#include <QSize>

namespace velmoro::options {

inline constexpr QSize kCrossfadeGraphSize(119, 55);

struct CrossfadeShape {
    int fadeInIntervalMs = 10;
    int fadeInStep = 1; // volume points per tick
    int fadeOutIntervalMs = 10;
    int fadeOutStep = 1;
};

enum class GraphCaption {
    Shown,
    // Without its title, whose pixels depend on the fonts installed: what the
    // reference image holds.
    Omitted,
};

// On a black picture: the title in white at (10, 5), a dot grid every second
// pixel in $2A2A2A, the fade-in in red from (0, 15) across to (I, 15) and down
// to (I + 100 − s, 55), and the fade-out in blue mirrored from the right
// edge. Lines run as a pen moved from point to point: each segment stops one
// pixel short of its end.
QImage DrawCrossfadeGraph(const CrossfadeShape& shape, GraphCaption caption = GraphCaption::Shown);

} // namespace velmoro::options
