#pragma once
// A skin archive made by the tests with every quirk published skins show:
// a top folder and backslash names, a name in two letter cases (the later
// entry wins), a PNG picture under a .bmp name and another as a .png file,
// short volume, balance and posbar sheets, a main.bmp larger than the
// window, a viscolor.txt with blanks and comments, and a region.txt that
// cuts the window's corners, notches its shade bar and cuts the equalizer
// window's lower right corner; the playlist and equalizer sheets too. Its
// pixels encode their sheet and coordinates (skincraft.h).
#include <QByteArray>

namespace velmoro::test {

QByteArray QuirkSkinArchive();

} // namespace velmoro::test
