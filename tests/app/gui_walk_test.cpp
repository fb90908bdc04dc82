// A seeded random walk through the whole program: menu commands, every dialog's check boxes,
// text boxes and buttons, closing dialogs, pointer moves over the chart. Dialogs and controls
// are found by type at every step, so dialogs added later are walked too. After every action
// the walk checks what a user could see: no "nan", "inf" or exponent in any text the program
// wrote, every shown dialog closable by its own "閉じる" button, chart marks that only grow
// until the chart command clears them, and no message box left open.
//
// The fixed seed runs in every test run; MILTEN_WALK_SEED and MILTEN_WALK_STEPS choose another
// walk (scripts/fuzz runs long ones with fresh seeds); MILTEN_WALK_VERBOSE lists the messages
// shown and the last actions at the end.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QFile>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>
#include <QSet>
#include <QSpinBox>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <deque>
#include <map>
#include <random>
#include <string>
#include <variant>

#include "app/data_dock.h"
#include "app/document.h"
#include "app/main_window.h"
#include "app/picture_view.h"
#include "chart/chart_drawing.h"
#include "chart/chart_frame.h"
#include "chart/picture.h"
#include "data/data_layer.h"
#include "dialogs/messages.h"

namespace {

constexpr std::uint64_t kFixedSeed = 20261208;
constexpr long kFixedSteps = 3000;

std::uint64_t envNumber(const char* name, std::uint64_t fallback) {
    bool ok = false;
    const qulonglong value = qEnvironmentVariable(name).toULongLong(&ok);
    return ok ? value : fallback;
}

// Texts a user might type: numbers of the chart's size, numbers at the edges of the program
// and the arithmetic, and things that are no number at all.
const char* const kEdgeTexts[] = {
    "0",
    "-0",
    "100",
    "-50",
    "-49.99",
    "99.99",
    "2",
    "3",
    "0.622",
    "1.03323",
    "-273.15",
    ".",
    "+",
    "-",
    "+.5",
    "-.0",
    "0.00001",
    "0.0000000000000000000001",
    "99999999999999999999",
    "4503599627370496",
    "1e304",
    "1E3",
    "1,5",
    "nan",
    "inf",
    "-inf",
    "NaN",
    "0x10",
    "abc",
    " ",
    "",
    "12..3",
    "--5",
    "5-",
    "1 2",
    "0.83",
};
const char16_t* const kWideTexts[] = {u"２０", u"５０．５", u"－３", u"　", u"霧入り", u"２e３"};

class Walk {
  public:
    Walk(std::uint64_t seed, long steps) : seed_(seed), steps_(steps), random_(seed) {
        chart::Picture fresh;
        chart::drawChart(fresh, psychro::PressureRatio::standard(), chart::Units::Engineering);
        chartItems_ = fresh.items().size();
        window_.setPrintDialog([this](QPrinter& printer) { return printStep(printer); });
        // Project files, exports and data go to and come from the walk's own folder, never
        // through a file dialog; the data is a logger's file of four dated rows.
        QFile logger(printDir_.filePath(QStringLiteral("walk.csv")));
        if (logger.open(QIODevice::WriteOnly)) {
            logger.write(
                "日時,温度,湿度\n2024/07/01 09:00,22,50\n2024/07/01 10:00,26,60\n"
                "2024/12/01 11:00,18,35\n2024/12/01 12:00,31,80\n");
        }
        window_.setFileChooser([this](app::MainWindow::FileAction action, const QString&) {
            switch (action) {
                case app::MainWindow::FileAction::Export:
                    return printDir_.filePath(QStringLiteral("walk.svg"));
                case app::MainWindow::FileAction::Data:
                    return printDir_.filePath(QStringLiteral("walk.csv"));
                case app::MainWindow::FileAction::Report:
                    return printDir_.filePath(QStringLiteral("walk.pdf"));
                default:
                    return printDir_.filePath(QStringLiteral("walk.milten"));
            }
        });
        window_.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window_));
    }

    void run() {
        for (step_ = 0; step_ < steps_; ++step_) {
            const std::size_t before = window_.picture().items().size();
            bool chartCommand = false;
            const std::vector<data::Zone> zones = window_.document().data().zones;
            act(chartCommand);
            QApplication::processEvents();
            // A zone added, changed or taken away draws the picture anew from the work.
            rebuilt_ = rebuilt_ || !(zones == window_.document().data().zones);
            check(before, chartCommand);
            if (testing::Test::HasFailure()) {
                report();
                return;
            }
        }
        if (qEnvironmentVariableIsSet("MILTEN_WALK_VERBOSE")) {
            std::map<QString, int> counts;
            for (const auto& m : messages_.messages()) {
                ++counts[m.text];
            }
            for (const auto& [t, n] : counts) {
                std::printf("%5d %s\n", n, t.toStdString().c_str());
            }
            for (const QString& l : trail_) {
                std::printf("%s\n", l.toStdString().c_str());
            }
        }
        // What the walk reached, for whoever runs a long walk.
        QStringList dialogs;
        for (QDialog* d : window_.findChildren<QDialog*>()) {
            dialogs << d->objectName();
        }
        std::printf(
            "walk seed %llu: %ld actions, %zu messages, %zu circles drawn, %ld in the data dock "
            "with %zu sets, dialogs %s\n",
            static_cast<unsigned long long>(seed_), steps_, messages_.messages().size(), circles_,
            dockActions_, window_.document().data().layers.size(),
            dialogs.join(QLatin1Char(' ')).toStdString().c_str());
        // The fixed walk is long enough to open the dock and work in it.
        if (steps_ >= kFixedSteps) {
            EXPECT_GT(dockActions_, 0);
        }
    }

  private:
    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }
    bool chance(double p) { return std::bernoulli_distribution(p)(random_); }

    void log(const QString& what) {
        trail_.push_back(QStringLiteral("%1: %2").arg(step_).arg(what));
        if (trail_.size() > 40) {
            trail_.pop_front();
        }
    }

    void report() {
        std::string text = "walk seed " + std::to_string(seed_) + ", failed at action " +
                           std::to_string(step_) + "; last actions:\n";
        for (const QString& line : trail_) {
            text += "  " + line.toStdString() + "\n";
        }
        ADD_FAILURE() << text;
    }

    // Dialogs the user can see, in creation order.
    QList<QDialog*> shownDialogs() const {
        QList<QDialog*> shown;
        for (QDialog* d : window_.findChildren<QDialog*>()) {
            if (d->isVisible()) {
                shown.append(d);
            }
        }
        return shown;
    }

    template <typename Widget>
    QList<Widget*> usable(QDialog* dialog) const {
        QList<Widget*> found;
        for (Widget* w : dialog->findChildren<Widget*>()) {
            if (w->isVisible() && w->isEnabled()) {
                found.append(w);
            }
        }
        return found;
    }

    // The commands of the menu bar that lead somewhere: items with a name, no sub-menu, not
    // separators; Exit stays out (it ends the program, which has its own tests), and so do the
    // settings (a change erases the marks on purpose; they have their own tests) and the guide
    // (it starts the user's browser).
    QList<QAction*> commands() const {
        QList<QAction*> found;
        for (QAction* a : window_.findChildren<QAction*>()) {
            if (!a->objectName().startsWith(QStringLiteral("mnu")) || a->isSeparator() ||
                a->menu() != nullptr || a->objectName() == QStringLiteral("mnuFileExit") ||
                a->objectName() == QStringLiteral("mnuToolSettings") ||
                a->objectName() == QStringLiteral("mnuHelpGuide")) {
                continue;
            }
            found.append(a);
        }
        return found;
    }

    QString randomText() {
        switch (pick(4)) {
            case 0: {  // a number of the chart's size with a few decimals
                const double v = std::uniform_real_distribution<double>(-30.0, 110.0)(random_);
                const double scale = std::pow(10.0, pick(6));
                return QString::number(std::round(v * scale) / scale, 'f', pick(6));
            }
            case 1: {  // a humidity
                const double v = std::uniform_real_distribution<double>(0.0, 0.04)(random_);
                return QString::number(v, 'f', 5);
            }
            case 2:
                if (chance(0.2)) {  // a huge number typed in full
                    return QStringLiteral("1") + QString(pick(320), QLatin1Char('0'));
                }
                return QString::fromLatin1(kEdgeTexts[pick(std::size(kEdgeTexts))]);
            default:
                if (chance(0.5)) {
                    return QString::fromUtf16(kWideTexts[pick(std::size(kWideTexts))]);
                }
                QString garbage;
                for (int k = pick(8); k > 0; --k) {
                    garbage.append(QChar(static_cast<char16_t>(0x20 + pick(0x5f))));
                }
                return garbage;
        }
    }

    // Room temperatures, humidities in %, air quantities, or an absolute humidity.
    QString plausibleNumber() {
        if (chance(0.2)) {
            return QString::number(std::uniform_real_distribution<double>(0.002, 0.02)(random_),
                                   'f', 4);
        }
        return QString::number(std::uniform_real_distribution<double>(0.0, 60.0)(random_), 'f',
                               pick(3));
    }

    void type(QLineEdit* box, const QString& text) {
        box->setFocus();
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Delete);
        bool ascii = true;
        for (QChar c : text) {
            ascii = ascii && c.unicode() < 0x80;
        }
        if (ascii) {
            QTest::keyClicks(box, text);
        } else {  // as a Japanese input method commits it
            QInputMethodEvent commit;
            commit.setCommitString(text);
            QApplication::sendEvent(box, &commit);
        }
        typed_[box].insert(box->text());
    }

    void movePointer() {
        app::PictureView* view = window_.pictureView();
        const QPoint at(pick(view->width() + 40) - 20, pick(view->height() + 40) - 20);
        QMouseEvent move(QEvent::MouseMove, QPointF(at), view->mapToGlobal(QPointF(at)),
                         Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(view, &move);
        log(QStringLiteral("pointer at %1, %2").arg(at.x()).arg(at.y()));
    }

    // Where a cell's check box is drawn, as the view's style places it.
    static QPoint checkBoxOf(QAbstractItemView* view, const QModelIndex& index) {
        QStyleOptionViewItem option;
        option.initFrom(view->viewport());
        option.rect = view->visualRect(index);
        option.features =
            QStyleOptionViewItem::HasCheckIndicator | QStyleOptionViewItem::HasDisplay;
        return view->style()
            ->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, view)
            .center();
    }

    // The data dock: a click or a double-click on a cell of its lists and tables (on a set's
    // check box too), a press of one of its buttons, or a number in one of its boxes. Its
    // colour button is left alone: it opens the platform's colour dialog, not one of ours.
    void actOnDock() {
        app::DataDock* dock = window_.dataDock();
        if (chance(0.6)) {
            QList<QAbstractItemView*> views;
            for (QAbstractItemView* v : dock->findChildren<QAbstractItemView*>()) {
                if (v->isVisible() && v->model()->rowCount() > 0) {
                    views.append(v);
                }
            }
            if (views.isEmpty()) {
                return;
            }
            QAbstractItemView* view = views[pick(static_cast<int>(views.size()))];
            const QModelIndex index = view->model()->index(pick(view->model()->rowCount()),
                                                           pick(view->model()->columnCount()));
            view->scrollTo(index);
            const QPoint at =
                chance(0.5) ? checkBoxOf(view, index) : view->visualRect(index).center();
            const bool twice = chance(0.4);
            log(QStringLiteral("dock %1 %2 row %3 column %4")
                    .arg(twice ? QStringLiteral("double-click") : QStringLiteral("click"),
                         view->objectName())
                    .arg(index.row())
                    .arg(index.column()));
            if (twice) {
                QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, at);
            } else {
                QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
            }
            return;
        }
        if (chance(0.3)) {
            QList<QSpinBox*> boxes;
            for (QSpinBox* box : dock->findChildren<QSpinBox*>()) {
                if (box->isVisible() && box->isEnabled()) {
                    boxes.append(box);
                }
            }
            if (!boxes.isEmpty()) {
                QSpinBox* box = boxes[pick(static_cast<int>(boxes.size()))];
                const int value = box->minimum() + pick(box->maximum() - box->minimum() + 1);
                log(QStringLiteral("dock %1 = %2").arg(box->objectName()).arg(value));
                box->setValue(value);
            }
            return;
        }
        QList<QPushButton*> buttons;
        for (QPushButton* b : dock->findChildren<QPushButton*>()) {
            if (b->isVisible() && b->isEnabled() &&
                b->objectName() != QStringLiteral("DataColour")) {
                buttons.append(b);
            }
        }
        if (!buttons.isEmpty()) {
            QPushButton* button = buttons[pick(static_cast<int>(buttons.size()))];
            log(QStringLiteral("dock press %1 %2").arg(button->objectName(), button->text()));
            QTest::mouseClick(button, Qt::LeftButton);
        }
    }

    void act(bool& chartCommand) {
        const QList<QDialog*> shown = shownDialogs();
        // Kinds of action: menu command, pointer move, then within a shown dialog: check box,
        // typed text, button, filling every box, closing; last, the data dock where it is
        // shown. Dialog work weighs most, so that a dialog stays open long enough to get
        // somewhere.
        const double dockWeight = window_.dataDock()->isVisible() ? 2.0 : 0.0;
        std::discrete_distribution<int> kinds =
            shown.isEmpty() ? std::discrete_distribution<int>{3, 1, 0, 0, 0, 0, 0, 0, dockWeight}
                            : std::discrete_distribution<int>{2, 2, 6, 4, 6, 3, 1, 3, dockWeight};
        const int kind = kinds(random_);
        if (kind == 8) {
            ++dockActions_;
            actOnDock();
            return;
        }
        if (kind == 0) {
            const QList<QAction*> items = commands();
            QAction* item = items[pick(static_cast<int>(items.size()))];
            log(QStringLiteral("menu %1").arg(item->objectName()));
            chartCommand = item->objectName() == QStringLiteral("mnuDrawW");
            // Undo, redo and opening a file draw the picture anew from the work.
            rebuilt_ = QStringList{QStringLiteral("mnuEditUndo"), QStringLiteral("mnuEditRedo"),
                                   QStringLiteral("mnuFileOpen")}
                           .contains(item->objectName());
            if (item->isEnabled()) {
                item->trigger();
            }
            // The print preview, Qt's own window, is looked at and closed by its frame.
            if (item->objectName() == QStringLiteral("mnuFilePreview")) {
                auto* preview = window_.findChild<QPrintPreviewDialog*>();
                ASSERT_TRUE(preview != nullptr && preview->isVisible());
                preview->close();
                QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            }
            return;
        }
        if (kind == 1) {
            movePointer();
            return;
        }
        QDialog* dialog = shown[pick(static_cast<int>(shown.size()))];
        const QString where = dialog->objectName();
        switch (kind) {
            case 2: {
                QList<QCheckBox*> boxes = usable<QCheckBox>(dialog);
                // Mostly a box not yet checked, so that pairs form as a user forms them.
                QList<QCheckBox*> unchecked;
                for (QCheckBox* box : boxes) {
                    if (!box->isChecked()) {
                        unchecked.append(box);
                    }
                }
                if (!unchecked.isEmpty() && chance(0.7)) {
                    boxes = unchecked;
                }
                if (!boxes.isEmpty()) {
                    QCheckBox* box = boxes[pick(static_cast<int>(boxes.size()))];
                    log(QStringLiteral("%1 click %2").arg(where, box->objectName()));
                    QTest::mouseClick(box, Qt::LeftButton);
                }
                return;
            }
            case 3: {
                const QList<QLineEdit*> edits = usable<QLineEdit>(dialog);
                if (!edits.isEmpty()) {
                    QLineEdit* box = edits[pick(static_cast<int>(edits.size()))];
                    const QString text = randomText();
                    log(QStringLiteral("%1 type \"%2\" into %3")
                            .arg(where, text.left(40), box->objectName()));
                    type(box, text);
                    if (chance(0.2)) {  // and Enter, which some dialogs take as their button
                        log(QStringLiteral("%1 Enter in %2").arg(where, box->objectName()));
                        QTest::keyClick(box, Qt::Key_Return);
                    }
                }
                return;
            }
            case 4: {
                QList<QPushButton*> buttons = usable<QPushButton>(dialog);
                buttons.removeAll(closeButton(dialog));  // closing is an action of its own
                if (!buttons.isEmpty()) {
                    QPushButton* button = buttons[pick(static_cast<int>(buttons.size()))];
                    log(QStringLiteral("%1 press %2 %3")
                            .arg(where, button->objectName(), button->text()));
                    QTest::mouseClick(button, Qt::LeftButton);
                }
                return;
            }
            case 5: {  // a plausible number in every box, as a user filling a dialog in
                const QList<QLineEdit*> edits = usable<QLineEdit>(dialog);
                log(QStringLiteral("%1 filled in").arg(where));
                for (QLineEdit* box : edits) {
                    type(box, plausibleNumber());
                }
                return;
            }
            case 7: {  // a whole entry: two boxes checked, every text filled, a button pressed
                log(QStringLiteral("%1 whole entry").arg(where));
                for (int k = 0; k < 2; ++k) {
                    QList<QCheckBox*> unchecked;
                    for (QCheckBox* box : usable<QCheckBox>(dialog)) {
                        if (!box->isChecked()) {
                            unchecked.append(box);
                        }
                    }
                    if (!unchecked.isEmpty()) {
                        QTest::mouseClick(unchecked[pick(static_cast<int>(unchecked.size()))],
                                          Qt::LeftButton);
                    }
                }
                for (QLineEdit* box : usable<QLineEdit>(dialog)) {
                    type(box, chance(0.1) ? randomText() : plausibleNumber());
                }
                QList<QPushButton*> buttons = usable<QPushButton>(dialog);
                buttons.removeAll(closeButton(dialog));
                if (!buttons.isEmpty()) {
                    QPushButton* button = buttons[pick(static_cast<int>(buttons.size()))];
                    log(QStringLiteral("%1 press %2 %3")
                            .arg(where, button->objectName(), button->text()));
                    QTest::mouseClick(button, Qt::LeftButton);
                }
                return;
            }
            case 6: {
                // Closing: by the dialog's own button, or now and then by its frame or Esc.
                if (chance(0.2)) {
                    log(QStringLiteral("%1 closed by its frame").arg(where));
                    dialog->close();
                } else if (chance(0.15)) {
                    log(QStringLiteral("%1 closed by Esc").arg(where));
                    QTest::keyClick(dialog, Qt::Key_Escape);
                } else {
                    log(QStringLiteral("%1 closed by 閉じる").arg(where));
                    QPushButton* close = closeButton(dialog);
                    if (close != nullptr) {
                        QTest::mouseClick(close, Qt::LeftButton);
                    }
                }
                EXPECT_FALSE(dialog->isVisible()) << where.toStdString() << " stayed open";
                return;
            }
        }
    }

    static QPushButton* closeButton(QDialog* dialog) {
        for (QPushButton* b : dialog->findChildren<QPushButton*>()) {
            // The data dialogs are left by キャンセル, the chart dialogs by 閉じる.
            if ((b->text() == QStringLiteral("閉じる") ||
                 b->text() == QStringLiteral("キャンセル")) &&
                b->isVisible() && b->isEnabled()) {
                return b;
            }
        }
        return nullptr;
    }

    bool printStep(QPrinter& printer) {
        // Now and then a real printout into a file; otherwise the user cancels.
        if (!chance(0.1)) {
            return false;
        }
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(printDir_.filePath(QStringLiteral("walk.pdf")));
        return true;
    }

    static bool badText(const QString& text) {
        static const QRegularExpression bad(QStringLiteral("nan|inf|[0-9][eE][+-]?[0-9]"),
                                            QRegularExpression::CaseInsensitiveOption);
        return bad.match(text).hasMatch();
    }

    void checkText(const QString& what, const QString& text) {
        EXPECT_FALSE(badText(text)) << what.toStdString() << ": \"" << text.toStdString() << "\"";
    }

    void check(std::size_t before, bool chartCommand) {
        // No message box waits for an answer: every message went to the recording seam.
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
        for (QWidget* top : QApplication::topLevelWidgets()) {
            EXPECT_FALSE(top->isVisible() && qobject_cast<QMessageBox*>(top) != nullptr);
            if (top->isVisible()) {
                checkText(QStringLiteral("title"), top->windowTitle());
            }
        }
        for (std::size_t k = messagesSeen_; k < messages_.messages().size(); ++k) {
            const auto& m = messages_.messages()[k];
            EXPECT_FALSE(m.text.isEmpty());
            checkText(QStringLiteral("message"), m.text);
        }
        messagesSeen_ = messages_.messages().size();

        // Texts the program wrote: labels, and text boxes whose text is none the user typed there
        // (a dialog may give a box back an earlier text of the user's, e.g. the humidifier's
        // temperature per kind of humidifying).
        for (QLabel* label : window_.findChildren<QLabel*>()) {
            if (label->isVisible()) {
                checkText(label->objectName(), label->text());
            }
        }
        for (QLineEdit* box : window_.findChildren<QLineEdit*>()) {
            const auto typed = typed_.find(box);
            if (typed == typed_.end() || !typed->second.contains(box->text())) {
                checkText(box->objectName(), box->text());
            }
        }

        for (QDialog* dialog : shownDialogs()) {
            EXPECT_NE(closeButton(dialog), nullptr)
                << dialog->objectName().toStdString() << " has no way out";
        }

        // Marks only grow, each drawn where a state can be; the chart command starts afresh.
        const auto& items = window_.picture().items();
        if (rebuilt_) {
            rebuilt_ = false;
            for (const chart::PictureItem& item : items) {
                checkItem(item);
            }
        } else if (chartCommand) {
            // The chart and the zones the dock added, which lie over it.
            chart::Picture zones;
            data::drawZones(zones, window_.document().data().zones,
                            psychro::PressureRatio::standard());
            EXPECT_EQ(items.size(), chartItems_ + zones.items().size());
        } else {
            EXPECT_GE(items.size(), before);
            for (std::size_t k = before; k < items.size(); ++k) {
                checkItem(items[k]);
            }
        }
    }

    void checkItem(const chart::PictureItem& item) {
        const auto reachable = [](chart::PointMm p) { return chart::withinReach(p); };
        if (const auto* line = std::get_if<chart::LineItem>(&item)) {
            EXPECT_TRUE(reachable(line->from) && reachable(line->to));
        } else if (const auto* circle = std::get_if<chart::CircleItem>(&item)) {
            EXPECT_TRUE(reachable(circle->centre));
            ++circles_;
        } else if (const auto* text = std::get_if<chart::TextItem>(&item)) {
            EXPECT_TRUE(reachable(text->position));
            checkText(QStringLiteral("picture text"), QString::fromStdString(text->text));
        }
    }

    std::uint64_t seed_;
    long steps_;
    long step_ = 0;
    std::mt19937_64 random_;
    dialogs::RecordedMessages messages_;
    app::MainWindow window_{messages_};
    std::size_t chartItems_ = 0;
    std::size_t messagesSeen_ = 0;
    std::size_t circles_ = 0;
    long dockActions_ = 0;
    bool rebuilt_ = false;
    std::map<QLineEdit*, QSet<QString>> typed_;
    std::deque<QString> trail_;
    QTemporaryDir printDir_;
};

TEST(GuiWalk, RandomActionsKeepEveryScreenSound) {
    const std::uint64_t seed = envNumber("MILTEN_WALK_SEED", kFixedSeed);
    const auto steps = static_cast<long>(envNumber("MILTEN_WALK_STEPS", kFixedSteps));
    Walk walk(seed, steps);
    walk.run();
}

}  // namespace
