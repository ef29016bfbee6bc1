#pragma once
// The value types of the main-window control's properties.
#include <QFlags>
#include <QObject>

namespace velmoro::skin {
Q_NAMESPACE

enum TStatus { ssNone, ssStop, ssPlay, ssPause };
Q_ENUM_NS(TStatus)

enum TStereoModeItem { smMono = 1, smStereo = 2 };
Q_DECLARE_FLAGS(TStereoMode, TStereoModeItem)
Q_FLAG_NS(TStereoMode)

enum TSkinCheckedItem { ckRepeat = 1, ckPlaylist = 2, ckShuffle = 4, ckEqualizer = 8 };
Q_DECLARE_FLAGS(TSkinChecked, TSkinCheckedItem)
Q_FLAG_NS(TSkinChecked)

} // namespace velmoro::skin

Q_DECLARE_OPERATORS_FOR_FLAGS(velmoro::skin::TStereoMode)
Q_DECLARE_OPERATORS_FOR_FLAGS(velmoro::skin::TSkinChecked)
