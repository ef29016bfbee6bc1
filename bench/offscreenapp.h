#pragma once
// Benchmarks of windows run on Qt's offscreen platform, with one
// application for the whole run, as a program has.
#include <QApplication>

namespace velmoro::bench {

inline void NeedOffscreenApplication()
{
    static int argc = 1;
    static char name[] = "velmoro_bench";
    static char* argv[] = {name, nullptr};
    if (QApplication::instance() == nullptr) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        new QApplication(argc, argv);
    }
}

} // namespace velmoro::bench
