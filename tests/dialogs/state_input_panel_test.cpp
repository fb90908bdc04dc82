#include "dialogs/state_input_panel.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QWidget>
#include <memory>
#include <string>

#include "dialog_driver.h"

namespace {

using dialog_driver::row;
using dialogs::PanelHost;
using dialogs::StateInputPanel;

// A panel in a window of its own; for the process copy with an air-quantity box `Text7` that
// starts disabled, as the mixing dialog's opening leaves it.
struct PanelWindow {
    explicit PanelWindow(PanelHost host) {
        window = std::make_unique<QWidget>();
        window->resize(220, 260);
        text7 = new QLineEdit(window.get());
        text7->setObjectName(QStringLiteral("Text7"));
        text7->setGeometry(8, 230, 57, 18);
        text7->setEnabled(false);
        panel = new StateInputPanel(window.get(), host,
                                    host == PanelHost::ProcessDialog ? text7 : nullptr);
        window->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }
    std::unique_ptr<QWidget> window;
    QLineEdit* text7 = nullptr;
    StateInputPanel* panel = nullptr;
};

// Steps: '1'…'6' a mouse click on that row's box; 'a'…'f' the box of row 1…6 toggled from
// code; 'O' ButtonOK; 'C' ButtonClear; 'D' the opening by a menu command.
void run(StateInputPanel& panel, const std::string& steps) {
    for (char step : steps) {
        if (step >= '1' && step <= '6') {
            dialog_driver::clickRow(panel, step - '0');
        } else if (step >= 'a' && step <= 'f') {
            QCheckBox* box = panel.check(row(step - 'a' + 1));
            box->setChecked(!box->isChecked());
        } else if (step == 'O') {
            panel.ButtonOK();
        } else if (step == 'C') {
            panel.ButtonClear();
        } else if (step == 'D') {
            panel.disableTexts();
        }
    }
}

// One character per row, '1' for true.
template <typename F>
std::string mask(F flag) {
    std::string m;
    for (int k = 1; k <= StateInputPanel::kRows; ++k) {
        m += flag(row(k)) ? '1' : '0';
    }
    return m;
}

struct RuleCase {
    const char* steps;
    const char* checked;
    const char* checkEnabled;
    const char* textEnabled;
    bool text7Enabled;     // process copy only
    const char* greyText;  // point copy only: button-face background
};

const RuleCase kRuleCases[] = {
    // opened by the menu: six usable boxes beside six greyed-out texts
    {"D", "000000", "111111", "000000", false, "000000"},
    // one box: only its own text opens; Text7 waits for the second
    {"D3", "001000", "111111", "001000", false, "000000"},
    // the pair t–φ shuts the four other rows
    {"D36", "001001", "001001", "001001", true, "110110"},
    {"D63", "001001", "001001", "001001", true, "110110"},
    // unchecking one of the pair changes nothing but its value...
    {"D366", "001000", "001001", "001001", true, "110110"},
    // ...and a shut row cannot be checked
    {"D3661", "001000", "001001", "001001", true, "110110"},
    // re-checking it returns to the pair
    {"D3666", "001001", "001001", "001001", true, "110110"},
    // both unchecked: still only the two of the pair can be checked
    {"D36635", "000000", "001001", "001001", true, "110110"},
    // a text enabled by a click stays enabled through later clicks
    {"D22", "000000", "111111", "010000", false, "000000"},
    {"D2236", "001001", "001001", "001001", true, "110110"},
    // ButtonOK opens everything and keeps the grey of the shut rows
    {"D36O", "000000", "111111", "111111", true, "110110"},
    // ButtonClear shuts the texts and takes the grey away
    {"D36C", "000000", "111111", "000000", true, "000000"},
    {"D36OC", "000000", "111111", "000000", true, "000000"},
    // after a reset any other pair can be chosen
    {"D36O15", "100010", "100010", "100010", true, "111111"},
    {"D36C15", "100010", "100010", "100010", true, "011101"},
    // resets with no box checked
    {"DO", "000000", "111111", "111111", false, "000000"},
    {"C", "000000", "111111", "000000", false, "000000"},
    // a value set from code runs the same rule as a click
    {"Dcf", "001001", "001001", "001001", true, "110110"},
    {"Dcff1", "001000", "001001", "001001", true, "110110"},
    // the menu's opening touches the boxes of a chosen pair not at all
    {"D36D", "001001", "001001", "000000", true, "110110"},
};

class ClickRule : public testing::TestWithParam<PanelHost> {};

TEST_P(ClickRule, SequencesOfClicksAndResets) {
    const PanelHost host = GetParam();
    const QColor buttonFace = QApplication::palette().color(QPalette::Active, QPalette::Button);
    for (const RuleCase& c : kRuleCases) {
        PanelWindow w(host);
        run(*w.panel, c.steps);
        StateInputPanel& p = *w.panel;
        SCOPED_TRACE(c.steps);
        EXPECT_EQ(mask([&](auto r) { return p.check(r)->isChecked(); }), c.checked);
        EXPECT_EQ(mask([&](auto r) { return p.check(r)->isEnabled(); }), c.checkEnabled);
        EXPECT_EQ(mask([&](auto r) { return p.textBox(r)->isEnabled(); }), c.textEnabled);
        if (host == PanelHost::ProcessDialog) {
            EXPECT_EQ(w.text7->isEnabled(), c.text7Enabled);
            // The process copy never colours its texts.
            EXPECT_EQ(mask([&](auto r) { return p.textBox(r)->testAttribute(Qt::WA_SetPalette); }),
                      "000000");
        } else {
            EXPECT_FALSE(w.text7->isEnabled());
            EXPECT_EQ(mask([&](auto r) {
                          return p.textBox(r)->palette().color(QPalette::Active, QPalette::Base) ==
                                 buttonFace;
                      }),
                      c.greyText);
        }
        EXPECT_EQ(p.checkedCount(), static_cast<int>(std::count(c.checked, c.checked + 6, '1')));
    }
}

INSTANTIATE_TEST_SUITE_P(BothCopies, ClickRule,
                         testing::Values(PanelHost::PointDialog, PanelHost::ProcessDialog),
                         [](const auto& info) {
                             return info.param == PanelHost::PointDialog ? "PointDialog"
                                                                         : "ProcessDialog";
                         });

// Texts after typing into rows 3 and 6 and a reset: the point copy's clear empties them, the
// process copy's keeps them, and ButtonOK keeps them in both.
TEST(StateInputPanel, ResetsAndTheTypedTexts) {
    struct Case {
        PanelHost host;
        char reset;
        bool kept;
    };
    for (const Case& c :
         {Case{PanelHost::PointDialog, 'C', false}, Case{PanelHost::ProcessDialog, 'C', true},
          Case{PanelHost::PointDialog, 'O', true}, Case{PanelHost::ProcessDialog, 'O', true}}) {
        PanelWindow w(c.host);
        run(*w.panel, "D36");
        dialog_driver::type(*w.panel, 3, QStringLiteral("20"));
        dialog_driver::type(*w.panel, 6, QStringLiteral("50"));
        run(*w.panel, std::string(1, c.reset));
        EXPECT_EQ(w.panel->text(row(3)), c.kept ? "20" : "");
        EXPECT_EQ(w.panel->text(row(6)), c.kept ? "50" : "");
        EXPECT_EQ(w.panel->checkedRows().size(), 0u);
    }
}

TEST(StateInputPanel, CheckedRowsInRowOrder) {
    PanelWindow w(PanelHost::PointDialog);
    run(*w.panel, "D63");
    const std::vector<psychro::Property> expected{psychro::Property::t, psychro::Property::phi};
    EXPECT_EQ(w.panel->checkedRows(), expected);
}

// The focus of the window, which a hidden or inactive dialog keeps for its next activation.
QWidget* windowFocus(const PanelWindow& w) {
    return w.window->focusWidget();
}

// In every host, so that what is typed right after the click is not lost on the check box.
TEST(StateInputPanel, AClickMovesTheFocusIntoTheClickedRow) {
    for (const PanelHost host : {PanelHost::PointDialog, PanelHost::ProcessDialog}) {
        PanelWindow w(host);
        run(*w.panel, "D5");
        EXPECT_EQ(windowFocus(w), w.panel->textBox(row(5)));
    }
}

// A reset or an opening that disables the text box holding the focus hands the focus to the
// first usable check box, never along the tab chain into whatever follows the panel.
TEST(StateInputPanel, FocusLeavesADisabledTextForTheFirstUsableBox) {
    struct Case {
        PanelHost host;
        const char* before;
        int focusedRow;
        const char* disabling;
        int expectedBox;
    };
    const Case cases[] = {
        {PanelHost::PointDialog, "D36", 6, "C", 1},
        {PanelHost::ProcessDialog, "D36", 6, "C", 1},
        {PanelHost::PointDialog, "DO", 4, "D", 1},
        {PanelHost::PointDialog, "D36", 3, "D", 3},  // Check1 and Check2 are shut by the pair
        {PanelHost::ProcessDialog, "D36", 6, "D", 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.before + std::string(c.disabling));
        PanelWindow w(c.host);
        run(*w.panel, c.before);
        w.panel->textBox(row(c.focusedRow))->setFocus();
        ASSERT_EQ(windowFocus(w), w.panel->textBox(row(c.focusedRow)));
        run(*w.panel, c.disabling);
        EXPECT_EQ(windowFocus(w), w.panel->check(row(c.expectedBox)));
    }
    // ButtonOK disables nothing and leaves the focus where it is.
    PanelWindow w(PanelHost::PointDialog);
    run(*w.panel, "D36");
    w.panel->textBox(row(3))->setFocus();
    run(*w.panel, "O");
    EXPECT_EQ(windowFocus(w), w.panel->textBox(row(3)));
}

TEST(StateInputPanel, RowsCarryTheirDesignNamesCaptionsAndPlaces) {
    struct Row {
        const char* check;
        const char* caption;
        const char* text;
        const char* unitLabel;
        const char* unit;
    };
    const Row rows[] = {
        {"Check1", "絶対湿度", "Text1", "Label2", "kg/kg(DA)"},
        {"Check2", "エンタルピ", "Text2", "Label1", "kcal/kg(DA)"},
        {"Check3", "温度", "Text3", "Label3", "℃"},
        {"Check4", "湿球温度", "Text4", "Label6", "℃"},
        {"Check5", "比容積", "Text5", "Label5", "m3/kg(DA)"},
        {"Check6", "相対湿度", "Text6", "Label4", "％"},
    };
    for (PanelHost host : {PanelHost::PointDialog, PanelHost::ProcessDialog}) {
        PanelWindow w(host);
        for (int k = 0; k < 6; ++k) {
            const Row& r = rows[k];
            auto* check = w.window->findChild<QCheckBox*>(r.check);
            auto* text = w.window->findChild<QLineEdit*>(r.text);
            auto* unit = w.window->findChild<QLabel*>(r.unitLabel);
            ASSERT_TRUE(check && text && unit) << r.check;
            EXPECT_EQ(check, w.panel->check(row(k + 1)));
            EXPECT_EQ(text, w.panel->textBox(row(k + 1)));
            EXPECT_EQ(check->text(), QString::fromUtf8(r.caption));
            EXPECT_EQ(unit->text(), QString::fromUtf8(r.unit));
            // Rows every 360 twips (24 px): from 120 twips in the point dialog, from 360 in a
            // frame.
            const int top = host == PanelHost::PointDialog ? 8 + 24 * k : 24 * (k + 1);
            EXPECT_EQ(check->geometry(), QRect(8, top, 73, 18)) << r.check;
            EXPECT_EQ(text->geometry(), QRect(80, top, 57, 18)) << r.text;
            EXPECT_EQ(unit->geometry().topLeft(), QPoint(144, top)) << r.unitLabel;
            EXPECT_TRUE(check->isEnabled() && !check->isChecked() && text->isEnabled() &&
                        text->text().isEmpty());
        }
    }
}

}  // namespace
