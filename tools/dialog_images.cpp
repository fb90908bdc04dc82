// Pictures of the program for the user's guide, made by the program itself offscreen: it opens
// each dialog from the menus, fills in the guide's example as a user would, presses the
// buttons and grabs the result. It also prints every figure and message the dialogs showed, so
// that the guide quotes what the program really shows. Run by scripts/docs-images:
//   build/dev/tools/dialog_images docs/images
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <cstdio>

#include "app/japanese.h"
#include "app/main_window.h"
#include "app/picture_view.h"
#include "chart/chart_frame.h"
#include "dialogs/messages.h"
#include "psychro/air_state.h"

namespace {

class Shots {
  public:
    Shots(app::MainWindow& window, dialogs::RecordedMessages& messages, QDir folder)
        : window_(window), messages_(messages), folder_(std::move(folder)) {}

    void menu(const char* name) {
        auto* action = window_.findChild<QAction*>(QString::fromLatin1(name));
        if (action == nullptr) {
            fail(QStringLiteral("no menu item %1").arg(QLatin1String(name)));
            return;
        }
        action->trigger();
        QApplication::processEvents();
    }

    QDialog* dialog(const char* name) {
        auto* found = window_.findChild<QDialog*>(QString::fromLatin1(name));
        if (found == nullptr) {
            fail(QStringLiteral("no dialog %1").arg(QLatin1String(name)));
        }
        return found;
    }

    template <typename Widget>
    Widget* child(QWidget* parent, const char* name) {
        auto* found = parent ? parent->findChild<Widget*>(QString::fromLatin1(name)) : nullptr;
        if (found == nullptr) {
            fail(QStringLiteral("no control %1").arg(QLatin1String(name)));
        }
        return found;
    }

    void check(QWidget* dialog, const char* name) {
        if (auto* box = child<QCheckBox>(dialog, name)) {
            QTest::mouseClick(box, Qt::LeftButton);
        }
    }

    void type(QWidget* dialog, const char* name, const char* text) {
        if (auto* box = child<QLineEdit>(dialog, name)) {
            box->selectAll();
            QTest::keyClick(box, Qt::Key_Backspace);
            QTest::keyClicks(box, QString::fromLatin1(text));
        }
    }

    void press(QWidget* dialog, const char* name) {
        if (auto* button = child<QPushButton>(dialog, name)) {
            QTest::mouseClick(button, Qt::LeftButton);
            QApplication::processEvents();
        }
        for (const auto& m : messages_.messages()) {
            std::printf("  message [%s] %s\n", m.title.toUtf8().constData(),
                        m.text.toUtf8().constData());
        }
        messages_.clear();
    }

    // Every text box and label of the dialog that shows a figure, for the guide's text.
    void report(QWidget* dialog, const char* caption) {
        std::printf("%s\n", caption);
        for (const QLineEdit* box : dialog->findChildren<QLineEdit*>()) {
            if (box->isVisible()) {
                std::printf("  %s = %s\n", box->objectName().toUtf8().constData(),
                            box->text().toUtf8().constData());
            }
        }
        for (const QLabel* label : dialog->findChildren<QLabel*>()) {
            if (label->isVisible()) {
                std::printf("  %s : %s\n", label->objectName().toUtf8().constData(),
                            label->text().toUtf8().constData());
            }
        }
    }

    void save(QWidget* widget, const QString& name, QRect crop = {}, int width = 0) {
        if (widget == nullptr) {
            return;
        }
        QApplication::processEvents();
        QImage image = widget->grab(crop.isNull() ? QRect(QPoint(0, 0), widget->size()) : crop)
                           .toImage()
                           .convertToFormat(QImage::Format_RGB32);
        if (width > 0) {
            image = image.scaledToWidth(width, Qt::SmoothTransformation);
        }
        // A palette of 256 colours keeps each picture to a few tens of kilobytes.
        image = image.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither);
        const QString path = folder_.filePath(name);
        if (!image.save(path)) {
            fail(QStringLiteral("cannot write %1").arg(path));
        }
    }

    // Moves the pointer over the chart to the state (t, φ), so the readout shows it.
    void pointAt(double t, double phi) {
        app::PictureView* view = window_.pictureView();
        const auto state = psychro::solvePair(psychro::Property::t, t, psychro::Property::phi, phi);
        if (!state) {
            fail(QStringLiteral("no state to point at"));
            return;
        }
        const chart::PointMm at = chart::statePoint(state->i, 1000.0 * state->x);
        const double scale = view->pixelsPerMm();
        const QPointF pixel(at.X * scale, at.Y * scale);
        QMouseEvent move(QEvent::MouseMove, pixel, view->mapToGlobal(pixel), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(view, &move);
    }

    // A menu of the menu bar, opened below its title.
    void saveMenu(const char* name, const QString& file) {
        auto* menu = window_.findChild<QMenu*>(QString::fromLatin1(name));
        if (menu == nullptr) {
            fail(QStringLiteral("no menu %1").arg(QLatin1String(name)));
            return;
        }
        menu->popup(window_.mapToGlobal(QPoint(0, 0)));
        save(menu, file);
        menu->hide();
    }

    [[nodiscard]] bool ok() const { return ok_; }

  private:
    void fail(const QString& why) {
        std::fprintf(stderr, "dialog_images: %s\n", why.toUtf8().constData());
        ok_ = false;
    }

    app::MainWindow& window_;
    dialogs::RecordedMessages& messages_;
    QDir folder_;
    bool ok_ = true;
};

void pointDialog(Shots& s, app::MainWindow& window) {
    s.menu("mnuDrawW");
    s.menu("mnuDrawPoint");
    QDialog* form2 = s.dialog("Form2");
    // Point 1: 20 °C and 50 %.
    s.check(form2, "Check3");
    s.check(form2, "Check6");
    s.type(form2, "Text3", "20");
    s.type(form2, "Text6", "50");
    s.save(form2, QStringLiteral("point_input.png"));
    s.press(form2, "Command1");
    s.report(form2, "point 1 (t=20, phi=50):");
    s.save(form2, QStringLiteral("point_drawn.png"));
    // Point 2: 30 °C and wet bulb 25 °C, joined to point 1.
    s.check(form2, "Check8");
    s.check(form2, "Check3");
    s.check(form2, "Check4");
    s.type(form2, "Text3", "30");
    s.type(form2, "Text4", "25");
    s.press(form2, "Command1");
    s.report(form2, "point 2 (t=30, tw=25):");
    // Nothing typed: the dialog's own message.
    s.press(form2, "Command2");
    s.press(form2, "Command1");

    // The chart around the two points, and the readout with the pointer on point 1.
    app::PictureView* view = window.pictureView();
    const double scale = view->pixelsPerMm();
    s.save(view, QStringLiteral("point_chart.png"),
           QRect(QPoint(static_cast<int>(80 * scale), static_cast<int>(60 * scale)),
                 QPoint(static_cast<int>(150 * scale), static_cast<int>(140 * scale))));
    s.pointAt(20.0, 50.0);
    s.save(window.findChild<QGroupBox*>(QStringLiteral("Frame1")), QStringLiteral("readout.png"));
    s.report(window.findChild<QGroupBox*>(QStringLiteral("Frame1")), "readout at point 1:");
    form2->hide();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: dialog_images FOLDER\n");
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    app::installJapanese(application);
    QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "dialog_images: cannot make %s\n", argv[1]);
        return 1;
    }
    dialogs::RecordedMessages messages;
    app::MainWindow window(messages);
    window.show();
    // The whole picture at its natural size, whatever the offscreen screen measures.
    window.resize(window.pictureView()->sizeHint() +
                  QSize(0, window.menuBar()->sizeHint().height()));
    if (!QTest::qWaitForWindowExposed(&window)) {
        std::fprintf(stderr, "dialog_images: the window was not shown\n");
        return 1;
    }
    Shots shots(window, messages, folder);
    pointDialog(shots, window);
    // The main window with its menu bar and the chart drawn, at two thirds of its size.
    shots.save(&window, QStringLiteral("main_window.png"), {}, window.width() * 2 / 3);
    shots.saveMenu("mnuFfile", QStringLiteral("menu_file.png"));
    shots.saveMenu("mnuCal", QStringLiteral("menu_calc.png"));
    shots.saveMenu("mnuDraw", QStringLiteral("menu_draw.png"));
    return shots.ok() ? 0 : 1;
}
