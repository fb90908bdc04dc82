#pragma once

#include <QAction>
#include <QDialog>
#include <QString>
#include <functional>
#include <variant>
#include <vector>

#include "app/main_window.h"
#include "chart/picture.h"
#include "dialog_driver.h"
#include "dialogs/process_parts.h"

// The presses that mark the chart, one per kind of entry, driven through the main window's
// menus as a user does; and a comparison of two pictures to the last bit, circles included.
namespace work_scenarios {

inline void trigger(app::MainWindow& window, const char* item) {
    window.findChild<QAction*>(QString::fromLatin1(item))->trigger();
}

inline QDialog& form(app::MainWindow& window, const char* name) {
    return *window.findChild<QDialog*>(QString::fromLatin1(name));
}

// Checks rows `a` and `b` of the dialog's panel and types their values.
inline void givePair(QDialog& dialog, int a, const char* va, int b, const char* vb) {
    auto* process = qobject_cast<dialogs::ProcessDialog*>(&dialog);
    if (process != nullptr) {
        dialogs::StateInputPanel& panel = process->panel();
        dialog_driver::clickRow(panel, a);
        dialog_driver::clickRow(panel, b);
        dialog_driver::type(panel, a, QString::fromUtf8(va));
        dialog_driver::type(panel, b, QString::fromUtf8(vb));
        return;
    }
    dialog_driver::click(dialog, QStringLiteral("Check%1").arg(a).toLatin1().constData());
    dialog_driver::click(dialog, QStringLiteral("Check%1").arg(b).toLatin1().constData());
    dialog_driver::type(dialog, QStringLiteral("Text%1").arg(a).toLatin1().constData(),
                        QString::fromUtf8(va));
    dialog_driver::type(dialog, QStringLiteral("Text%1").arg(b).toLatin1().constData(),
                        QString::fromUtf8(vb));
}

struct Scenario {
    const char* name;
    std::function<void(app::MainWindow&)> run;
};

// Each adds one press's marks: 20 °C 50 %, 30 °C 60 % and 1000 kg/h stand in throughout.
inline std::vector<Scenario> scenarios() {
    return {
        {"point",
         [](app::MainWindow& w) {
             trigger(w, "mnuDrawPoint");
             QDialog& d = form(w, "Form2");
             givePair(d, 3, "20", 6, "50");
             dialog_driver::click(d, "Command1");
         }},
        {"mixing",
         [](app::MainWindow& w) {
             trigger(w, "mnuCalMix");
             QDialog& d = form(w, "Form3");
             givePair(d, 3, "30", 6, "60");
             dialog_driver::setText(d, "Text7", QStringLiteral("1000"));
             dialog_driver::click(d, "Command1");
             givePair(d, 3, "20", 6, "50");
             dialog_driver::setText(d, "Text7", QStringLiteral("1000"));
             dialog_driver::click(d, "Command4");
             dialog_driver::click(d, "Command2");  // back to point 1 for the next time
             dialog_driver::click(d, "Command3");
         }},
        {"cooling",
         [](app::MainWindow& w) {
             trigger(w, "mnuCalCh");
             QDialog& d = form(w, "Form3");
             givePair(d, 3, "30", 6, "60");
             dialog_driver::setText(d, "Text7", QStringLiteral("1000"));
             dialog_driver::click(d, "Command1");
             givePair(d, 3, "20", 6, "50");
             dialog_driver::click(d, "Command4");
             dialog_driver::click(d, "Command2");  // back to point 1 for the next time
             dialog_driver::click(d, "Command3");
         }},
        {"heating",
         [](app::MainWindow& w) {
             trigger(w, "mnuCalHeat");
             QDialog& d = form(w, "Form4");
             givePair(d, 3, "20", 6, "50");
             dialog_driver::setText(d, "Text7", QStringLiteral("1000"));
             dialog_driver::setText(d, "Text8", QStringLiteral("30"));
             dialog_driver::click(d, "Command1");
             dialog_driver::click(d, "Command2");
             dialog_driver::click(d, "Command3");
         }},
        {"steam",
         [](app::MainWindow& w) {
             trigger(w, "mnuCalWV");
             QDialog& d = form(w, "Form7");
             givePair(d, 3, "20", 6, "50");
             dialog_driver::setText(d, "Text7", QStringLiteral("1000"));
             dialog_driver::setText(d, "Text10", QStringLiteral("70"));
             dialog_driver::click(d, "Command1");
             dialog_driver::click(d, "Command2");
             dialog_driver::click(d, "Command3");
         }},
        {"pmv",
         [](app::MainWindow& w) {
             trigger(w, "mnuCalPMV");
             QDialog& d = form(w, "Form5");
             const char* texts[] = {"25", "50", "0.1", "25", "0.5", "1.2"};
             for (int k = 0; k < 6; ++k) {
                 dialog_driver::setText(d,
                                        QStringLiteral("Text%1").arg(k + 1).toLatin1().constData(),
                                        QString::fromLatin1(texts[k]));
             }
             dialog_driver::click(d, "Command1");
         }},
        {"discomfort",
         [](app::MainWindow& w) {
             trigger(w, "mnuCalDI");
             QDialog& d = form(w, "Form6");
             dialog_driver::setText(d, "Text1", QStringLiteral("30"));
             dialog_driver::setText(d, "Text2", QStringLiteral("25"));
             dialog_driver::click(d, "Command1");
         }},
    };
}

// Whether two pictures hold the same items in the same order, every field to the last bit.
inline bool identical(const chart::Picture& a, const chart::Picture& b) {
    if (a.items().size() != b.items().size()) {
        return false;
    }
    const auto samePoint = [](chart::PointMm p, chart::PointMm q) {
        return p.X == q.X && p.Y == q.Y;
    };
    for (std::size_t k = 0; k < a.items().size(); ++k) {
        const chart::PictureItem& p = a.items()[k];
        const chart::PictureItem& q = b.items()[k];
        if (p.index() != q.index()) {
            return false;
        }
        bool same = true;
        if (const auto* l = std::get_if<chart::LineItem>(&p)) {
            const auto& m = std::get<chart::LineItem>(q);
            same = samePoint(l->from, m.from) && samePoint(l->to, m.to) && l->colour == m.colour &&
                   l->widthPx == m.widthPx;
        } else if (const auto* c = std::get_if<chart::CircleItem>(&p)) {
            const auto& d = std::get<chart::CircleItem>(q);
            same = samePoint(c->centre, d.centre) && c->radius == d.radius &&
                   c->colour == d.colour && c->widthPx == d.widthPx;
        } else {
            const auto& t = std::get<chart::TextItem>(p);
            const auto& u = std::get<chart::TextItem>(q);
            same = samePoint(t.position, u.position) && t.text == u.text &&
                   t.heightPx == u.heightPx && t.angleDeg == u.angleDeg;
        }
        if (!same) {
            return false;
        }
    }
    return true;
}

}  // namespace work_scenarios
