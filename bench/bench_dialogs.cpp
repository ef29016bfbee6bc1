// The jump dialog over a playlist of 10,000 rows: one key typed in its
// search field, the list filtered and painted again, within 10 ms; and the
// dialog opened (the rows taken, upper-cased once, shown and painted)
// within 50 ms.
#include "dialogs/jumpform.h"
#include "offscreenapp.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>
#include <benchmark/benchmark.h>

#include <random>

using namespace velmoro;

namespace {

constexpr int kRows = 10000;

using velmoro::bench::NeedOffscreenApplication;

// Rows as the playlist window numbers them, of 500 artists; the seed is fixed.
const QStringList& PlaylistRows()
{
    static const QStringList rows = [] {
        std::mt19937 random(20261209);
        QStringList made;
        for (int i = 0; i < kRows; ++i)
            made << QStringLiteral("%1. Artista %2 - Brano %3 (%4:%5)")
                        .arg(i + 1)
                        .arg(random() % 500)
                        .arg(random() % 100000)
                        .arg(2 + random() % 5)
                        .arg(random() % 60, 2, 10, QChar(u'0'));
        return made;
    }();
    return rows;
}

void Key(QLineEdit* edit, Qt::Key key, const QString& text)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(edit, &press);
}

// Typing "artista 4" and deleting it again, one key each iteration: every
// length of the query from one character to nine, matching many rows and few.
void BM_JumpFilterKey10000(benchmark::State& state)
{
    NeedOffscreenApplication();
    app::WindowFlags flags;
    dialogs::TjumpForm form(flags, {[] { return PlaylistRows(); }, [](int) {}});
    form.show();
    const QString query = QStringLiteral("artista 4");
    int typed = 0;
    bool typing = true;
    for (auto _ : state) {
        if (typing) {
            Key(form.jumpEdit, Qt::Key_A, query.mid(typed, 1));
            ++typed;
        } else {
            Key(form.jumpEdit, Qt::Key_Backspace, QString());
            --typed;
        }
        if (typed == query.size() || typed == 0)
            typing = !typing;
        benchmark::DoNotOptimize(form.playListBox->viewport()->grab());
    }
    if (form.jumpEdit->text() != query.left(typed))
        state.SkipWithError("the keys did not reach the search field");
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_JumpFilterKey10000)->Unit(benchmark::kMillisecond);

void BM_JumpOpen10000(benchmark::State& state)
{
    NeedOffscreenApplication();
    app::WindowFlags flags;
    dialogs::TjumpForm form(flags, {[] { return PlaylistRows(); }, [](int) {}});
    for (auto _ : state) {
        form.show();
        benchmark::DoNotOptimize(form.grab());
        state.PauseTiming();
        if (form.ShownRows().size() != kRows)
            state.SkipWithError("the dialog did not list every row");
        form.close();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_JumpOpen10000)->Unit(benchmark::kMillisecond);

} // namespace
