// Pictures of the program for the user's guide, made by the program itself offscreen: it opens
// each dialog from the menus, fills in the guide's example as a user would, presses the
// buttons and grabs the result. It also prints every figure and message the dialogs showed, so
// that the guide quotes what the program really shows. Run by scripts/docs-images:
//   build/dev/tools/dialog_images docs/images
// Given a picture's file name after the folder, it goes through the same steps and writes only
// that picture:
//   build/dev/tools/dialog_images docs/images design_reheat_chart.png
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QStandardPaths>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>
#include <memory>
#include <utility>
#include <variant>

#include "app/document.h"
#include "app/main_window.h"
#include "app/picture_view.h"
#include "app/state_list.h"
#include "chart/chart_frame.h"
#include "data/data_part.h"
#include "data/zones.h"
#include "dialogs/messages.h"
#include "psychro/air_state.h"
#include "render/japanese.h"
#include "tests/dialog_driver.h"

namespace {

class Shots {
  public:
    // `only`: the one picture to write, or empty for every one.
    Shots(app::MainWindow& window, dialogs::RecordedMessages& messages, QDir folder, QString only)
        : window_(window),
          messages_(messages),
          folder_(std::move(folder)),
          only_(std::move(only)) {}

    [[nodiscard]] bool wanted(const QString& name) const {
        return only_.isEmpty() || name == only_;
    }

    void found(bool there, const char* name) {
        if (!there) {
            fail(QStringLiteral("no control %1").arg(QLatin1String(name)));
        }
    }

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

    // Each step of the shared dialog driver, failing the run when its control is missing.
    void check(QWidget* dialog, const char* name) {
        found(dialog != nullptr && dialog_driver::click(*dialog, name), name);
    }

    void type(QWidget* dialog, const char* name, const char* text) {
        found(dialog != nullptr && dialog_driver::type(*dialog, name, QString::fromLatin1(text)),
              name);
    }

    void press(QWidget* dialog, const char* name) {
        found(dialog != nullptr && dialog_driver::click(*dialog, name), name);
        QApplication::processEvents();
        for (const auto& m : messages_.messages()) {
            std::printf("  message [%s] %s\n", m.title.toUtf8().constData(),
                        m.text.toUtf8().constData());
        }
        messages_.clear();
    }

    // Every text box and label of the dialog that shows a figure, for the guide's text.
    void report(QWidget* dialog, const char* caption) {
        if (dialog == nullptr) {
            return;
        }
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
        if (!wanted(name)) {
            return;
        }
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
        const auto state = psychro::solvePair(psychro::Property::t, t, psychro::Property::phi, phi,
                                              psychro::PressureRatio::standard());
        if (!state) {
            fail(QStringLiteral("no state to point at"));
            return;
        }
        pointAt(chart::statePoint(state->i, 1000.0 * state->x));
    }

    // Moves the pointer to the centre of the last mark drawn on the chart.
    void pointAtLastMark() {
        const auto& items = window_.picture().items();
        for (auto item = items.rbegin(); item != items.rend(); ++item) {
            if (const auto* circle = std::get_if<chart::CircleItem>(&*item)) {
                pointAt(circle->centre);
                return;
            }
        }
        fail(QStringLiteral("no mark on the chart"));
    }

    void pointAt(chart::PointMm at) {
        app::PictureView* view = window_.pictureView();
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

    // The dialog `name` as its Calc menu command opens it.
    QDialog* open(const char* menuItem, const char* name) {
        menu(menuItem);
        return dialog(name);
    }

    // The part of the chart around every mark drawn since it was last redrawn, `sideMm` to
    // the left and right of each (room for a label placed beside its mark).
    void saveMarks(const QString& file, double sideMm = 15.0) {
        QRectF box;
        for (const chart::PictureItem& item : window_.picture().items()) {
            if (const auto* circle = std::get_if<chart::CircleItem>(&item)) {
                box |=
                    QRectF(circle->centre.X - sideMm, circle->centre.Y - 12.0, 2.0 * sideMm, 24.0);
            }
        }
        app::PictureView* view = window_.pictureView();
        const double scale = view->pixelsPerMm();
        const QRect crop(
            QPoint(static_cast<int>(box.left() * scale), static_cast<int>(box.top() * scale)),
            QPoint(static_cast<int>(box.right() * scale), static_cast<int>(box.bottom() * scale)));
        save(view, file, crop & view->rect());
    }

    // The readout for the pointer on the last mark, printed for the guide.
    void reportLastMark(const char* caption) {
        pointAtLastMark();
        report(window_.findChild<QGroupBox*>(QStringLiteral("Frame1")), caption);
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
    QString only_;
    bool ok_ = true;
};

// Point 1 of the guide's examples typed into the point dialog: 20 °C and 50 %.
void typeTwentyAndFifty(Shots& s, QDialog* form2) {
    s.check(form2, "Check3");
    s.check(form2, "Check6");
    s.type(form2, "Text3", "20");
    s.type(form2, "Text6", "50");
}

void pointDialog(Shots& s, app::MainWindow& window) {
    s.menu("mnuDrawW");
    s.menu("mnuDrawPoint");
    QDialog* form2 = s.dialog("Form2");
    typeTwentyAndFifty(s, form2);
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
    s.saveMarks(QStringLiteral("point_chart.png"));
    s.pointAt(20.0, 50.0);
    s.save(window.findChild<QGroupBox*>(QStringLiteral("Frame1")), QStringLiteral("readout.png"));
    s.report(window.findChild<QGroupBox*>(QStringLiteral("Frame1")), "readout at point 1:");
    form2->hide();
}

// Mixing: outdoor air 33 °C, 60 % at 1000 kg/h with return air 26 °C, 50 % at 3000 kg/h.
void mixing(Shots& s) {
    QDialog* form3 = s.open("mnuCalMix", "Form3");
    s.check(form3, "Check3");
    s.check(form3, "Check6");
    s.type(form3, "Text3", "33");
    s.type(form3, "Text6", "60");
    s.type(form3, "Text7", "1000");
    s.save(form3, QStringLiteral("mixing_point1.png"));
    s.press(form3, "Command1");
    s.check(form3, "Check3");
    s.check(form3, "Check6");
    s.type(form3, "Text3", "26");
    s.type(form3, "Text6", "50");
    s.type(form3, "Text7", "3000");
    s.save(form3, QStringLiteral("mixing_point2.png"));
    s.press(form3, "Command4");
    s.reportLastMark("mixing point, readout:");
    s.press(form3, "Command3");
}

// Cooling: 28 °C, 55 % at 5000 kg/h cooled to 15 °C, 95 %.
void cooling(Shots& s) {
    QDialog* form3 = s.open("mnuCalCh", "Form3");
    s.press(form3, "Command2");
    s.check(form3, "Check3");
    s.check(form3, "Check6");
    s.type(form3, "Text3", "28");
    s.type(form3, "Text6", "55");
    s.type(form3, "Text7", "5000");
    s.press(form3, "Command1");
    s.check(form3, "Check3");
    s.check(form3, "Check6");
    s.type(form3, "Text3", "15");
    s.type(form3, "Text6", "95");
    s.press(form3, "Command4");
    s.report(form3, "cooling (28 °C 55 % 5000 kg/h -> 15 °C 95 %):");
    s.save(form3, QStringLiteral("cooling_load.png"));
    s.press(form3, "Command3");
}

// Heating: 5 °C, 80 % at 2000 kg/h heated to 30 °C.
void heating(Shots& s) {
    QDialog* form4 = s.open("mnuCalHeat", "Form4");
    s.check(form4, "Check3");
    s.check(form4, "Check6");
    s.type(form4, "Text3", "5");
    s.type(form4, "Text6", "80");
    s.type(form4, "Text7", "2000");
    s.type(form4, "Text8", "30");
    s.save(form4, QStringLiteral("heating_input.png"));
    s.press(form4, "Command1");
    s.report(form4, "heating (5 °C 80 % 2000 kg/h -> 30 °C):");
    s.save(form4, QStringLiteral("heating_load.png"));
    s.reportLastMark("heating point 2, readout:");
    s.press(form4, "Command3");
}

// Humidifying 20 °C, 30 % air at 1000 kg/h to 50 %: with steam at 100 °C (`kind` "steam") or a
// water spray at 15 °C.
void humidifying(Shots& s, const char* menuItem, const char* water, const char* kind) {
    QDialog* form7 = s.open(menuItem, "Form7");
    s.press(form7, "Command2");
    s.check(form7, "Check3");
    s.check(form7, "Check6");
    s.type(form7, "Text3", "20");
    s.type(form7, "Text6", "30");
    s.type(form7, "Text7", "1000");
    s.type(form7, "Text8", water);
    s.type(form7, "Text10", "50");
    s.save(form7, QStringLiteral("%1_input.png").arg(QLatin1String(kind)));
    s.press(form7, "Command1");
    s.report(form7, kind);
    s.save(form7, QStringLiteral("%1_result.png").arg(QLatin1String(kind)));
    s.reportLastMark("point 2, readout:");
    s.press(form7, "Command3");
}

// PMV: 25 °C, 50 %, 0.1 m/s, radiant 25 °C, 0.5 clo, 1.2 met.
void pmv(Shots& s) {
    QDialog* form5 = s.open("mnuCalPMV", "Form5");
    for (const auto& [box, value] :
         {std::pair{"Text1", "25"}, std::pair{"Text2", "50"}, std::pair{"Text3", "0.1"},
          std::pair{"Text4", "25"}, std::pair{"Text5", "0.5"}, std::pair{"Text6", "1.2"}}) {
        s.type(form5, box, value);
    }
    s.press(form5, "Command1");
    s.report(form5, "PMV (25 °C, 50 %, 0.1 m/s, 25 °C, 0.5 clo, 1.2 met):");
    s.save(form5, QStringLiteral("pmv.png"));
    s.press(form5, "Command3");
}

// Discomfort index: 30 °C, wet bulb 25 °C.
void discomfort(Shots& s) {
    QDialog* form6 = s.open("mnuCalDI", "Form6");
    s.type(form6, "Text1", "30");
    s.type(form6, "Text2", "25");
    s.press(form6, "Command1");
    s.report(form6, "discomfort index (30 °C, wet bulb 25 °C):");
    s.save(form6, QStringLiteral("discomfort.png"));
    s.press(form6, "Command3");
}

// The settings: SI units at 1,500 m, then the chart they draw with the point 20 °C, 50 % and
// the readout on it. Made last, so that every other picture stays at the defaults.
void settings(Shots& s, app::MainWindow& window) {
    s.saveMenu("mnuTool", QStringLiteral("menu_tool.png"));
    QDialog* form = s.open("mnuToolSettings", "FormSettings");
    s.check(form, "Option2");
    s.check(form, "Option5");
    s.type(form, "Text1", "1500");
    s.save(form, QStringLiteral("settings.png"));
    s.press(form, "Command1");
    s.menu("mnuDrawPoint");
    QDialog* form2 = s.dialog("Form2");
    s.press(form2, "Command2");
    s.check(form2, "Check3");
    s.check(form2, "Check6");
    s.type(form2, "Text3", "20");
    s.type(form2, "Text6", "50");
    s.press(form2, "Command1");
    s.report(form2, "SI at 1500 m, point (t=20, phi=50):");
    s.save(form2, QStringLiteral("si_point.png"));
    form2->hide();
    s.reportLastMark("SI at 1500 m, readout:");
    auto* label = window.findChild<QLabel*>(QStringLiteral("Label20"));
    if (label != nullptr) {
        std::printf("  Label20 : %s\n", label->text().toUtf8().constData());
    }
    s.save(&window, QStringLiteral("si_chart.png"), {}, window.width() * 2 / 3);
}

enum class Design { Cooling, Reheat, Heating };

// An air-handling design: room and outdoor air as t and φ, the loads, k and Δt (cooling with
// reheat: at a bypass factor of 0.1); the dialog with its result table after 計算, printed for
// the guide, then the design marked by 描画.
void design(Shots& s, Design kind) {
    const bool cooling = kind != Design::Heating;
    QDialog* form = s.open("mnuCalDesign", "FormDesign");
    if (form == nullptr) {
        return;
    }
    const auto state = [&s, form](const char* frameName, const char* t, const char* phi) {
        auto* frame = form->findChild<QGroupBox*>(QString::fromLatin1(frameName));
        auto* panel = frame == nullptr ? nullptr : frame->findChild<QCheckBox*>("Check3");
        if (panel != nullptr && !panel->isChecked()) {
            s.check(frame, "Check3");
            s.check(frame, "Check6");
        }
        s.type(frame, "Text3", t);
        s.type(frame, "Text6", phi);
    };
    state("FrameRoom", cooling ? "26" : "22", cooling ? "50" : "40");
    state("FrameOutdoor", cooling ? "33" : "0", cooling ? "63" : "50");
    s.check(form, cooling ? "OptionCool" : "OptionHeat");
    // The coil's option chosen only when it changes, so that the other pictures stay as they
    // were made before the reheat design was. A mouse click at the middle of "再熱なし" falls
    // beside its short text, which a radio button does not take as a click: click() chooses it
    // as the user's click on its text would.
    const char* coil = kind == Design::Reheat ? "OptionReheat" : "OptionNoReheat";
    auto* option = form->findChild<QAbstractButton*>(QString::fromLatin1(coil));
    if (cooling && option != nullptr && !option->isChecked()) {
        option->click();
    }
    s.found(!cooling || option != nullptr, coil);
    if (kind == Design::Reheat) {
        s.type(form, "TextBf", "0.1");
    }
    s.type(form, "TextQs", cooling ? "10000" : "8000");
    s.type(form, "TextQl", cooling ? "2000" : "1000");
    s.type(form, "TextK", "25");
    s.type(form, "TextDt", "10");
    s.press(form, "Command1");
    const char* name = kind == Design::Cooling  ? "cooling"
                       : kind == Design::Reheat ? "reheat"
                                                : "heating";
    std::printf("design (%s):\n", name);
    if (const auto* table = form->findChild<QTableWidget*>("ResultTable")) {
        for (int r = 0; r < table->rowCount(); ++r) {
            std::printf("  %s = %s %s\n", table->item(r, 0)->text().toUtf8().constData(),
                        table->item(r, 1)->text().toUtf8().constData(),
                        table->item(r, 2)->text().toUtf8().constData());
        }
    }
    if (kind != Design::Reheat) {  // the guide shows the reheat design on the chart alone
        s.save(form, QStringLiteral("design_%1.png").arg(QLatin1String(name)));
    }
    s.press(form, "CommandDraw");  // 計算 only shows it; 描画 marks it
    s.press(form, "Command3");
}

// The calculation report of a work: the cooling design, a point at 20 °C 50 %, a made-up day
// of hourly readings and the hygiene law's zone; the title dialog filled in, and the report
// written to report.pdf for scripts/docs-images to turn into pictures.
void reportPages(Shots& s, app::MainWindow& window, const QDir& folder) {
    s.menu("mnuDrawW");
    design(s, Design::Cooling);
    s.menu("mnuDrawPoint");
    QDialog* form2 = s.dialog("Form2");
    typeTwentyAndFifty(s, form2);
    s.press(form2, "Command1");
    form2->hide();
    // A summer day: 24 to 32 °C and back, the humidity rising through the afternoon.
    auto day = std::make_shared<data::DataSet>();
    day->name = "sample day";
    for (int h = 0; h < 24; ++h) {
        const double swing = (h < 14 ? h : 28 - h) / 14.0;
        day->readings.push_back(
            {static_cast<float>(24.0 + 8.0 * swing), static_cast<float>(0.011 + 0.004 * swing)});
        day->times.push_back(data::minutesOf({2026, 8, 1, h, 0}));
    }
    data::DataPart part = window.document().data();
    part.layers.push_back({.set = day,
                           .path = "sample_day.csv",
                           .style = data::LayerStyle::Points,
                           .colour = 0x1F77B4,
                           .shown = true,
                           .filter = {}});
    part.zones.push_back(data::buildingHygieneZone());
    window.document().changeData(std::move(part), u"データを重ねる");
    window.setFileChooser(
        [&folder](auto, const QString&) { return folder.filePath(QStringLiteral("report.pdf")); });
    s.menu("mnuFileReport");
    QDialog* title = s.dialog("FormTitle");
    const auto write = [title](const char* box, const QString& text) {
        if (auto* edit = title == nullptr ? nullptr : title->findChild<QLineEdit*>(box)) {
            edit->setText(text);
        }
    };
    write("TextSubject", QStringLiteral("東棟 2階 会議室 空調設備"));
    write("TextDesigner", QStringLiteral("設計 太郎"));
    write("TextDate", QStringLiteral("2026/12/09"));
    s.save(title, QStringLiteral("report_title.png"));
    s.press(title, "CommandOK");
    window.document().changeData(data::DataPart{}, u"データを重ねる");  // none for what follows
}

}  // namespace

int main(int argc, char** argv) {
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: dialog_images FOLDER [PICTURE.png]\n");
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    QStandardPaths::setTestModeEnabled(true);  // the pictures' work is no user's to recover
    render::installJapanese(application);
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
    Shots shots(window, messages, folder, argc == 3 ? QString::fromLocal8Bit(argv[2]) : QString());
    pointDialog(shots, window);
    // The main window with its menu bar and the chart drawn, at two thirds of its size.
    shots.save(&window, QStringLiteral("main_window.png"), {}, window.width() * 2 / 3);
    // Each process on a fresh chart.
    shots.menu("mnuDrawW");
    mixing(shots);
    shots.saveMarks(QStringLiteral("mixing_chart.png"));
    // The mixing's states and result in the state list, docked beside the chart.
    shots.menu("mnuViewStateList");
    window.stateList()->setFloating(true);  // wide enough to show every column
    window.stateList()->resize(860, 230);
    shots.save(window.stateList(), QStringLiteral("state_list.png"));
    window.stateList()->setFloating(false);
    window.stateList()->hide();
    shots.menu("mnuDrawW");
    cooling(shots);
    shots.saveMarks(QStringLiteral("cooling_chart.png"));
    shots.menu("mnuDrawW");
    heating(shots);
    shots.saveMarks(QStringLiteral("heating_chart.png"));
    shots.menu("mnuDrawW");
    humidifying(shots, "mnuCalWV", "100", "steam");
    humidifying(shots, "mnuCalWW", "15", "spray");
    shots.saveMarks(QStringLiteral("humidifying_chart.png"));
    shots.menu("mnuDrawW");
    design(shots, Design::Cooling);
    shots.saveMarks(QStringLiteral("design_cooling_chart.png"));
    shots.menu("mnuDrawW");
    design(shots, Design::Heating);
    shots.saveMarks(QStringLiteral("design_heating_chart.png"));
    shots.menu("mnuDrawW");
    design(shots, Design::Reheat);
    shots.saveMarks(QStringLiteral("design_reheat_chart.png"), 25.0);
    shots.menu("mnuDrawW");
    pmv(shots);
    discomfort(shots);
    shots.saveMenu("mnuFfile", QStringLiteral("menu_file.png"));
    shots.saveMenu("mnuEdit", QStringLiteral("menu_edit.png"));
    shots.saveMenu("mnuView", QStringLiteral("menu_view.png"));
    shots.saveMenu("mnuCal", QStringLiteral("menu_calc.png"));
    shots.saveMenu("mnuDraw", QStringLiteral("menu_draw.png"));
    // The report goes elsewhere when it is not wanted, so that only the one picture is written.
    const QTemporaryDir scratch;
    reportPages(shots, window,
                shots.wanted(QStringLiteral("report.pdf")) ? folder : QDir(scratch.path()));
    QFile::remove(app::recoveryPath());  // the pictures' work leaves nothing behind
    shots.menu("mnuDrawW");
    settings(shots, window);
    return shots.ok() ? 0 : 1;
}
