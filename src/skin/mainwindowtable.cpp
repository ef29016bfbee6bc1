#include "skin/mainwindowtable.h"

#include <array>

namespace velmoro::skin {

namespace {

constexpr ButtonElement Transport(int index)
{
    const int x = 23 * index;
    return {kBackButton + index,
            {x + 18, x + 42, 87, 105},
            kCButtonsSheet,
            {x + 16, 88, 23, 18},
            {x, 0, 23, 18},
            {0, 18},
            {}};
}

// Repeat's area reaches into shuffle's; repeat wins there.
constexpr std::array<ButtonElement, 6> kTransport = {{
    Transport(0),
    Transport(1),
    Transport(2),
    Transport(3),
    {kForwardButton, {110, 134, 87, 105}, kCButtonsSheet, {108, 88, 22, 18}, {92, 0, 22, 18}, {0, 18}, {}},
    {kEjectButton, {136, 158, 89, 105}, kCButtonsSheet, {136, 89, 22, 16}, {114, 0, 22, 16}, {0, 16}, {}},
}};

constexpr std::array<ButtonElement, 4> kToggles = {{
    {kShuffleButton,
     {164, 211, 89, 105},
     kShufRepSheet,
     {164, 89, 47, 15},
     {28, 0, 47, 15},
     {0, 15},
     {0, 30}},
    {kRepeatButton, {210, 237, 89, 104}, kShufRepSheet, {210, 89, 28, 15}, {0, 0, 28, 15}, {0, 15}, {0, 30}},
    {kPlaylistButton,
     {242, 265, 58, 70},
     kShufRepSheet,
     {242, 58, 23, 12},
     {23, 61, 23, 12},
     {46, 0},
     {0, 12}},
    {kEqualizerButton,
     {219, 242, 58, 70},
     kShufRepSheet,
     {219, 58, 23, 12},
     {0, 61, 23, 12},
     {46, 0},
     {0, 12}},
}};

constexpr std::array<ButtonElement, 4> kTitleBar = {{
    {kMenuButton, {6, 16, 3, 12}, kTitlebarSheet, {6, 3, 9, 9}, {0, 0, 9, 9}, {0, 9}, {}},
    {kMinimizeButton, {244, 253, 3, 12}, kTitlebarSheet, {244, 3, 9, 9}, {9, 0, 9, 9}, {0, 9}, {}},
    {kCloseButton, {264, 273, 3, 12}, kTitlebarSheet, {264, 3, 9, 9}, {18, 0, 9, 9}, {0, 9}, {}},
    {kShadeButton, {254, 263, 3, 12}, kTitlebarSheet, {254, 3, 9, 9}, {0, 18, 9, 9}, {9, 0}, {0, 9}},
}};

constexpr std::array<ButtonElement, 2> kIndicators = {{
    {kMonoIndicator, {}, kMonoSterSheet, {212, 41, 27, 12}, {29, 12, 27, 12}, {}, {0, -12}},
    {kStereoIndicator, {}, kMonoSterSheet, {239, 41, 29, 12}, {0, 12, 29, 12}, {}, {0, -12}},
}};

constexpr QRect kThumb(15, 422, 14, 11);
constexpr QRect kHeldThumb(0, 422, 14, 11);

constexpr SliderElement kVolume{
    {107, 57, 68, 13}, {107, 57, 68, 13}, kVolumeSheet, {0, 0, 68, 13}, 15, 28, kThumb, kHeldThumb};
// balance.bmp's bars are painted for their 38 columns; the squeezed volume
// pictures fill 40.
constexpr SliderElement kBalance{
    {177, 57, 40, 13}, {177, 57, 38, 13}, kBalanceSheet, {9, 0, 38, 13}, 15, 28, kThumb, kHeldThumb};
constexpr SliderElement kBalanceFromVolume{
    {177, 57, 40, 13}, {177, 57, 40, 13}, kBalanceSheet, {9, 0, 59, 13}, 15, 28, kThumb, kHeldThumb};

constexpr std::array<CursorArea, 4> kHover = {{
    {{17, 264, 73, 81}, kPosBarCursor},
    {{244, 253, 3, 12}, kMinCursor},
    {{110, 265, 25, 35}, kSongNameCursor},
    {{264, 275, 3, 12}, kCloseCursor},
}};

constexpr std::array<CursorArea, 4> kFixed = {{
    {{107, 214, 56, 71}, kVolBalCursor},
    {{0, 15, 0, 12}, kMainMenuCursor},
    {{251, 263, 0, 12}, kWindowButtonCursor},
    {{232, 250, 0, 12}, kMinimizeCursor},
}};

struct ShadedButton {
    int id;
    HitBox hit;
};

constexpr std::array<ShadedButton, 6> kShaded = {{
    {kBackButton, {168, 176, 3, 12}},
    {kPlayButton, {176, 186, 3, 12}},
    {kPauseButton, {186, 196, 3, 12}},
    {kStopButton, {196, 205, 3, 12}},
    {kForwardButton, {205, 213, 3, 12}},
    {kEjectButton, {215, 224, 4, 12}},
}};

} // namespace

int ShadedButtonAt(QPoint p)
{
    for (const ShadedButton& button : kShaded)
        if (button.hit.Contains(p))
            return button.id;
    return 0;
}

std::span<const ButtonElement> TransportButtons()
{
    return kTransport;
}

std::span<const ButtonElement> ToggleButtons()
{
    return kToggles;
}

std::span<const ButtonElement> TitleBarButtons()
{
    return kTitleBar;
}

std::span<const ButtonElement> StereoIndicators()
{
    return kIndicators;
}

const SliderElement& VolumeSliderElement()
{
    return kVolume;
}

const SliderElement& BalanceSliderElement(bool fromVolume)
{
    return fromVolume ? kBalanceFromVolume : kBalance;
}

std::span<const CursorArea> HoverCursorAreas()
{
    return kHover;
}

std::span<const CursorArea> FixedCursorAreas()
{
    return kFixed;
}

} // namespace velmoro::skin
