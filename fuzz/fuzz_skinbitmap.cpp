// Any bytes as a skin bitmap: decoded or refused, never a crash; whatever
// decodes is then painted as every sheet of the main window, since odd sizes
// are the normal case for skins.
#include "skin/bmpreader.h"
#include "skin/skinpainter.h"

#include <QByteArrayView>
#include <cstddef>
#include <cstdint>

using namespace velmoro::skin;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::optional<QImage> image =
        ReadSkinBitmap(QByteArrayView(reinterpret_cast<const char*>(data), qsizetype(size)));
    if (!image)
        return 0;
    SkinSet skin;
    for (const BitmapSlot& slot : BitmapSlots())
        skin.*slot.bitmap = *image;
    QImage canvas = NewCanvas();
    QImage titleBuffer = NewTitleBuffer();
    DrawState state;
    state.Title = QStringLiteral("A TITLE LONG ENOUGH TO SCROLL ACROSS THE DISPLAY");
    state.ScrollOffset = 40;
    state.Progress = QStringLiteral("12:34");
    state.PositionBar = 100;
    state.LeftMeter = 50;
    state.Bitrate = 128;
    SkinPainter(skin, canvas, titleBuffer).FullPaint(state);
    return 0;
}
