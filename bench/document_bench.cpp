// The cost of a step at a work of 100, 1,000 and 10,000 entries, each from the command to the
// screen (the window shown offscreen at 1010 × 715, every paint delivered): a point marked
// through the point dialog, an undo and a redo of it, and opening a project file.
#include <benchmark/benchmark.h>

#include <QCheckBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include "bench_window.h"
#include "files/project_files.h"

namespace {

// The window with the drawn chart and `entries` points (20 °C, 50 % each), opened from a file.
struct WorkWindow : Window {
    explicit WorkWindow(std::int64_t entries) {
        trigger("mnuDrawW");
        trigger("mnuDrawPoint");
        form = window.findChild<QDialog*>(QStringLiteral("Form2"));
        mark();
        chart::MarkedWork work = window.work();
        work.settings = window.settings();
        const chart::Entry point = work.entries.front();
        work.entries.assign(static_cast<std::size_t>(entries), point);
        path = folder.filePath(QStringLiteral("work.milten"));
        opened = files::writeProjectFile(path, work, {}).has_value() && window.openProject(path);
        paintPending();
    }
    // 点指定 as a user gives it: 温度 20, 相対湿度 50, 描画.
    void mark() {
        for (const char* box : {"Check3", "Check6"}) {
            form->findChild<QCheckBox*>(QString::fromLatin1(box))->click();
        }
        form->findChild<QLineEdit*>(QStringLiteral("Text3"))->setText(QStringLiteral("20"));
        form->findChild<QLineEdit*>(QStringLiteral("Text6"))->setText(QStringLiteral("50"));
        form->findChild<QPushButton*>(QStringLiteral("Command1"))->click();
    }
    [[nodiscard]] bool ready(benchmark::State& state, std::int64_t entries) const {
        if (!opened || window.work().entries.size() != static_cast<std::size_t>(entries)) {
            state.SkipWithError("the work could not be opened");
            return false;
        }
        return checkView(state, *this, QSize(1010, 715));
    }

    QTemporaryDir folder;
    QString path;
    QDialog* form = nullptr;
    bool opened = false;
};

void BM_MarkAPoint(benchmark::State& state) {
    WorkWindow w(state.range(0));
    if (!w.ready(state, state.range(0))) {
        return;
    }
    for (auto _ : state) {
        w.mark();
        Window::paintPending();
        state.PauseTiming();
        w.window.undo();
        Window::paintPending();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_MarkAPoint)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

// One undo and one redo of the last point, each painted.
void BM_UndoAndRedo(benchmark::State& state) {
    WorkWindow w(state.range(0));
    if (!w.ready(state, state.range(0))) {
        return;
    }
    w.mark();
    Window::paintPending();
    for (auto _ : state) {
        w.window.undo();
        Window::paintPending();
        w.window.redo();
        Window::paintPending();
    }
}
BENCHMARK(BM_UndoAndRedo)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

// 開く of the file of the work, painted. Each opening is a step of the history.
void BM_OpenAFile(benchmark::State& state) {
    WorkWindow w(state.range(0));
    if (!w.ready(state, state.range(0))) {
        return;
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(w.window.openProject(w.path));
        Window::paintPending();
    }
}
BENCHMARK(BM_OpenAFile)
    ->Arg(100)
    ->Arg(1000)
    ->Arg(10000)
    ->Iterations(10)
    ->Unit(benchmark::kMillisecond);

}  // namespace
