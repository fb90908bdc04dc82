#pragma once

#include <benchmark/benchmark.h>

#include <QAction>
#include <QApplication>
#include <QByteArray>

#include "app/main_window.h"
#include "app/picture_view.h"
#include "dialogs/messages.h"
#include "render/japanese.h"

// The application and the main window as the window benchmarks use them: the offscreen
// platform, the program's fonts, and only what the window offers its menus and dialogs.

// Painting needs the application's font database; one application serves every run. A pixel
// ratio other than 1 is set as the screen's scale factor, before the application exists.
inline bool ensureApplication(double pixelRatio = 1.0) {
    static int argc = 1;
    static char name[] = "bench";
    static char* argv[] = {name, nullptr};
    if (QApplication::instance() == nullptr) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
        }
        if (pixelRatio != 1.0) {
            qputenv("QT_SCALE_FACTOR", QByteArray::number(pixelRatio));
        }
        // Never destroyed: at exit Qt's own statics may already be gone.
        auto* application = new QApplication(argc, argv);
        render::installJapanese(*application);
    }
    return true;
}

// The main window on the offscreen platform with its picture view at width × height.
struct Window {
    explicit Window(int width = 1010, int height = 715, double pixelRatio = 1.0)
        : application(ensureApplication(pixelRatio)) {
        window.show();
        resizeView(width, height);
    }
    void resizeView(int width, int height) {
        app::PictureView* v = view();
        window.resize(window.width() - v->width() + width, window.height() - v->height() + height);
        QApplication::processEvents();
    }
    [[nodiscard]] app::PictureView* view() const { return window.pictureView(); }
    void trigger(const char* action) { window.findChild<QAction*>(action)->trigger(); }
    // Delivers the pending paint events, as the event loop does before it waits again.
    static void paintPending() { QApplication::processEvents(); }

    bool application;  // made before the window
    dialogs::RecordedMessages messages;
    app::MainWindow window{messages};
};

inline bool checkView(benchmark::State& state, const Window& w, QSize size) {
    if (w.view()->size() != size) {
        state.SkipWithError("the view did not take the requested size");
        return false;
    }
    return true;
}
