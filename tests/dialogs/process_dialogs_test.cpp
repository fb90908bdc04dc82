#include "dialogs/process_dialogs.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "chart/chart_frame.h"
#include "chart/picture.h"
#include "dialog_driver.h"
#include "dialogs/humidifying_dialog.h"
#include "dialogs/messages.h"
#include "dialogs/state_input_panel.h"
#include "picture_items.h"
#include "shown_work.h"

namespace {

using dialog_driver::row;

using dialog_driver::Place;

class ProcessDialogs : public testing::Test {
  protected:
    ShownWork shown;
    const chart::Picture& picture = shown.picture();
    dialogs::RecordedMessages messages;
};

TEST_F(ProcessDialogs, MixingCoolingLayout) {
    dialogs::MixingCoolingDialog form3(messages);
    shown.follow(form3);
    EXPECT_EQ(form3.objectName(), "Form3");
    EXPECT_EQ(dialog_driver::placeFaults(form3, {205, 260},
                                         {
                                             {"Frame1", "Form3", "空気状態", {0, 0, 201, 169}},
                                             {"Check1", "Frame1", "絶対湿度", {8, 24, 73, 18}},
                                             {"Text6", "Frame1", "", {80, 144, 57, 18}},
                                             {"Frame4", "Form3", "冷却量", {8, 56, 185, 57}},
                                             {"Text9", "Frame4", "0", {8, 16, 121, 26}},
                                             {"Label9", "Frame4", "kcal/h", {136, 24, 41, 16}},
                                             {"Frame2", "Form3", "空気量", {8, 176, 113, 41}},
                                             {"Text7", "Frame2", "0", {8, 16, 57, 18}},
                                             {"Label7", "Frame2", "kg/h", {72, 16, 33, 16}},
                                             {"Command2", "Form3", "クリア", {136, 184, 57, 25}},
                                             {"Command1", "Form3", "点1確定", {8, 232, 57, 25}},
                                             {"Command4", "Form3", "点2確定", {72, 232, 57, 25}},
                                             {"Command3", "Form3", "閉じる", {136, 232, 57, 25}},
                                         }),
              "");
    EXPECT_EQ(form3.findChild<QWidget*>("Line1")->geometry().topLeft(), QPoint(8, 224));
    // The load lies over the panel and only shows in place of it.
    EXPECT_TRUE(form3.findChild<QWidget*>("Frame4")->isHidden());
    auto* load = form3.findChild<QLineEdit*>("Text9");
    EXPECT_EQ(load->palette().color(QPalette::Text), QColor(255, 0, 0));
    EXPECT_TRUE(load->font().bold());
}

TEST_F(ProcessDialogs, HeatingLayout) {
    dialogs::HeatingDialog form4(messages);
    shown.follow(form4);
    EXPECT_EQ(form4.objectName(), "Form4");
    EXPECT_EQ(form4.windowTitle(), "加熱");
    EXPECT_EQ(dialog_driver::placeFaults(form4, {203, 260},
                                         {
                                             {"Frame1", "Form4", "空気状態点1", {0, 0, 201, 169}},
                                             {"Check6", "Frame1", "相対湿度", {8, 144, 73, 18}},
                                             {"Frame4", "Form4", "加熱量", {8, 72, 185, 57}},
                                             {"Text9", "Frame4", "0", {8, 16, 121, 26}},
                                             {"Label9", "Frame4", "kcal/h", {136, 24, 41, 16}},
                                             {"Frame2", "Form4", "空気量", {0, 176, 97, 41}},
                                             {"Text7", "Frame2", "0", {8, 16, 57, 18}},
                                             {"Label7", "Frame2", "kg/h", {72, 16, 25, 16}},
                                             {"Frame3", "Form4", "点2", {104, 176, 97, 41}},
                                             {"Text8", "Frame3", "0", {8, 16, 57, 18}},
                                             {"Label8", "Frame3", "℃", {72, 16, 17, 16}},
                                             {"Command1", "Form4", "計算", {8, 232, 57, 25}},
                                             {"Command2", "Form4", "クリア", {72, 232, 57, 25}},
                                             {"Command3", "Form4", "閉じる", {136, 232, 57, 25}},
                                         }),
              "");
    EXPECT_TRUE(form4.findChild<QWidget*>("Frame4")->isHidden());
}

// The mixing copy of the panel opens `Text7` when a pair is chosen; its opening shuts it again.
TEST_F(ProcessDialogs, MixingOpeningAndTheAirQuantityBox) {
    dialogs::MixingCoolingDialog form3(messages);
    shown.follow(form3);
    form3.showForMixing();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form3));
    auto* text7 = form3.findChild<QLineEdit*>("Text7");
    EXPECT_EQ(form3.windowTitle(), "混合");
    EXPECT_FALSE(text7->isEnabled());
    EXPECT_FALSE(form3.findChild<QPushButton*>("Command4")->isEnabled());
    for (int k = 1; k <= 6; ++k) {
        EXPECT_FALSE(form3.panel().textBox(row(k))->isEnabled());
    }

    dialog_driver::clickRow(form3.panel(), 3);
    EXPECT_FALSE(text7->isEnabled());  // one box is not enough
    dialog_driver::clickRow(form3.panel(), 6);
    EXPECT_TRUE(text7->isEnabled());
    dialog_driver::type(form3.panel(), 3, QStringLiteral("20"));
    dialog_driver::type(form3.panel(), 6, QStringLiteral("50"));
    form3.panel().ButtonClear();  // the process copy keeps the texts
    EXPECT_TRUE(text7->isEnabled());

    form3.showForCooling();
    EXPECT_EQ(form3.windowTitle(), "冷却");
    EXPECT_FALSE(text7->isEnabled());
    EXPECT_EQ(form3.panel().text(row(3)), "20");
    const auto solved = [&] {
        dialog_driver::clickRow(form3.panel(), 3);
        dialog_driver::clickRow(form3.panel(), 6);
        return form3.ih();
    }();
    ASSERT_TRUE(solved.has_value());
    EXPECT_NEAR(solved->XP, 101.5503, 1e-4);
    EXPECT_NEAR(solved->YP, 128.4272, 1e-4);
    EXPECT_TRUE(messages.texts().isEmpty());
}

TEST_F(ProcessDialogs, HeatingOpeningKeepsTheQuantityAndTemperatureUsable) {
    dialogs::HeatingDialog form4(messages);
    shown.follow(form4);
    form4.showForHeating();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form4));
    for (int k = 1; k <= 6; ++k) {
        EXPECT_FALSE(form4.panel().textBox(row(k))->isEnabled());
    }
    EXPECT_TRUE(form4.findChild<QLineEdit*>("Text7")->isEnabled());
    EXPECT_TRUE(form4.findChild<QLineEdit*>("Text8")->isEnabled());
    EXPECT_TRUE(form4.findChild<QWidget*>("Frame4")->isHidden());
    EXPECT_FALSE(form4.findChild<QWidget*>("Frame1")->isHidden());
}

const QString kAirQuantity = QStringLiteral("空気量を入力してください。");
const QString kNextPoint = QStringLiteral("次を入力してください。");
const QString kNextState = QStringLiteral("次の空気状態を指定してください。");
const QString kCheckTwo = QStringLiteral("入力値前のチェックボックスをチェックして下さい。");
const QString kNotANumber = QStringLiteral("数値を入力してください。");
const QString kNoResult = QStringLiteral("入力した値では計算できません。");

using Rows = std::vector<std::pair<int, QString>>;

// Checks the given rows of a panel and types their values, as a user does.
void enter(dialogs::StateInputPanel& panel, const Rows& rows) {
    for (const auto& [k, value] : rows) {
        dialog_driver::clickRow(panel, k);
        dialog_driver::type(panel, k, value);
    }
}

template <typename T>
T* child(QWidget& dialog, const char* name) {
    T* found = dialog_driver::child<T>(dialog, name);
    EXPECT_NE(found, nullptr) << name;
    return found;
}

void click(QWidget& dialog, const char* name) {
    EXPECT_TRUE(dialog_driver::click(dialog, name)) << name;
}

void setText(QWidget& dialog, const char* name, const QString& text) {
    EXPECT_TRUE(dialog_driver::setText(dialog, name, text)) << name;
}

QString text(QWidget& dialog, const char* name) {
    return child<QLineEdit>(dialog, name)->text();
}

void expectMark(const chart::CircleItem& circle, double X, double Y) {
    EXPECT_NEAR(circle.centre.X, X, 1e-4);
    EXPECT_NEAR(circle.centre.Y, Y, 1e-4);
    EXPECT_EQ(circle.radius, 0.7);
    EXPECT_EQ(circle.colour, chart::kLightRed);
}

std::vector<std::string> labels(const chart::Picture& picture) {
    std::vector<std::string> found;
    for (const auto& t : itemsOf<chart::TextItem>(picture)) {
        found.push_back(t.text);
    }
    return found;
}

class MixingCooling : public ProcessDialogs {
  protected:
    void SetUp() override {
        form3.showForMixing();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form3));
    }
    // A point given as its humidity and enthalpy, with the air quantity typed after the pair.
    void point(const char* button, const QString& x, const QString& i, const QString& G) {
        enter(form3.panel(), {{1, x}, {2, i}});
        setText(form3, "Text7", G);
        click(form3, button);
    }
    dialogs::MixingCoolingDialog form3{messages};
    Following following_{shown, form3};
};

TEST_F(MixingCooling, MixingTwoStreams) {
    QSignalSpy changed(&form3, &dialogs::MixingCoolingDialog::entryRecorded);
    point("Command1", "0.008", "12.0", "1000");
    point("Command4", "0.006", "8.0", "3000");
    EXPECT_EQ(messages.texts(), QStringList{kNextPoint});
    EXPECT_EQ(changed.count(), 2);

    const auto circles = itemsOf<chart::CircleItem>(picture);
    ASSERT_EQ(circles.size(), 3u);
    expectMark(circles[0], 134.7626, 125.1932);
    expectMark(circles[1], 95.5708, 133.8949);
    expectMark(circles[2], 105.3687, 131.7195);  // a quarter of the way from point 2
    EXPECT_EQ(labels(picture), (std::vector<std::string>{"点１", "点２", "混合点"}));
    const auto texts = itemsOf<chart::TextItem>(picture);
    EXPECT_EQ(texts[2].position.X, circles[2].centre.X);
    EXPECT_NEAR(texts[2].position.Y, circles[2].centre.Y + 2.0, 1e-9);
    const auto lines = itemsOf<chart::LineItem>(picture);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].from.X, circles[0].centre.X);
    EXPECT_EQ(lines[0].to.X, circles[1].centre.X);
    EXPECT_EQ(lines[0].colour, chart::kLightRed);
    // point 1 is kept, and drawn, in single precision
    EXPECT_EQ(circles[0].centre.Y, static_cast<double>(static_cast<float>(circles[0].centre.Y)));
}

// Loads of (i11 − i2)·G1 chosen to be exact in binary, rounded as floor(Q + 0.5).
TEST_F(MixingCooling, CoolingLoadText) {
    struct Case {
        const char* i2;
        const char* G;
        const char* load;
    };
    const Case cases[] = {
        {"7.0", "250", "1250"},         {"11.5", "2499", "1250"},   // 1249.5
        {"11.5", "2498.8", "1249"},     {"12.5", "2499", "-1249"},  // 1249.4, −1249.5
        {"12.0001", "250", "0"},        {"12", "250", "0"},         // −0.025 is not "-0"
        {"7.0", "2000000", "10000000"},
    };
    form3.showForCooling();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.load);
        click(form3, "Command2");
        point("Command1", "0.008", "12.0", c.G);
        point("Command4", "0.007", c.i2, "999");
        EXPECT_EQ(text(form3, "Text9"), c.load);
        EXPECT_FALSE(child<QWidget>(form3, "Frame4")->isHidden());
        EXPECT_TRUE(child<QWidget>(form3, "Frame1")->isHidden());
        // the load used G1, and Text7 shows it again
        EXPECT_EQ(text(form3, "Text7"), c.G);
    }
}

// A refused "点1確定" leaves the accepted point 1 whole: "点2確定" still starts from it.
TEST_F(MixingCooling, RefusedPointOneKeepsTheAcceptedOne) {
    form3.showForCooling();
    point("Command1", "0.008", "12.0", "250");
    click(form3, "Command2");
    point("Command1", "0.006", "8.0", "0");
    EXPECT_EQ(messages.texts(), (QStringList{kNextPoint, kAirQuantity}));
    click(form3, "Command2");
    point("Command4", "0.007", "7.0", "999");
    EXPECT_EQ(text(form3, "Text9"), "1250");
    EXPECT_EQ(text(form3, "Text7"), "250");
    const auto circles = itemsOf<chart::CircleItem>(picture);
    ASSERT_EQ(circles.size(), 2u);
    expectMark(circles[0], 134.7626, 125.1932);
}

struct Form3State {
    bool command1;
    bool command4;
    bool loadShown;  // Frame4 in place of Frame1
    bool quantityOpen;
    bool visible;
};

// The button sequences of the dialog's life, the heating command in between included: the
// dialog keeps the process of its last opening and can always be closed. Steps: M, C, H the
// mixing, cooling and heating commands; 1, 2 the two points; X "クリア"; Q "閉じる"; E Esc.
TEST_F(MixingCooling, Lifecycle) {
    const std::pair<const char*, Form3State> cases[] = {
        {"M", {true, false, false, true, true}},    {"C", {true, false, false, true, true}},
        {"C1", {false, true, false, false, true}},  {"C12", {false, true, true, true, true}},
        {"C12X", {true, true, false, true, true}},  {"C12QC", {true, false, false, true, true}},
        {"M1", {false, true, false, true, true}},   {"M122", {false, true, false, true, true}},
        {"M1M", {false, false, false, true, true}}, {"M1MX", {true, false, false, true, true}},
        {"M1C", {true, false, false, true, true}},  {"C1M", {false, false, false, true, true}},
        {"C1H2", {false, true, true, true, true}},  {"CHQ", {true, false, false, true, false}},
        {"MHE", {true, false, false, true, false}},
    };
    for (const auto& [steps, state] : cases) {
        SCOPED_TRACE(steps);
        dialogs::MixingCoolingDialog dialog(messages);
        shown.follow(dialog);
        const auto given = [&](const char* button) {
            enter(dialog.panel(), {{1, "0.008"}, {2, "12"}});
            setText(dialog, "Text7", QStringLiteral("100"));
            click(dialog, button);
        };
        const std::map<char, std::function<void()>> act{
            {'M', [&] { dialog.showForMixing(); }},
            {'C', [&] { dialog.showForCooling(); }},
            {'H', [] {}},  // the heating command meanwhile: nothing of this dialog's
            {'1', [&] { given("Command1"); }},
            {'2', [&] { given("Command4"); }},
            {'X', [&] { click(dialog, "Command2"); }},
            {'Q', [&] { click(dialog, "Command3"); }},
            {'E', [&] { QTest::keyClick(&dialog, Qt::Key_Escape); }},
        };
        for (const char* step = steps; *step != 0; ++step) {
            act.at (*step)();
            ASSERT_TRUE(!dialog.isVisible() || QTest::qWaitForWindowExposed(&dialog));
        }
        EXPECT_EQ(child<QWidget>(dialog, "Command1")->isEnabled(), state.command1);
        EXPECT_EQ(child<QWidget>(dialog, "Command4")->isEnabled(), state.command4);
        EXPECT_EQ(!child<QWidget>(dialog, "Frame4")->isHidden(), state.loadShown);
        EXPECT_EQ(child<QWidget>(dialog, "Frame1")->isHidden(), state.loadShown);
        EXPECT_EQ(child<QWidget>(dialog, "Frame2")->isEnabled(), state.quantityOpen);
        EXPECT_EQ(dialog.isVisible(), state.visible);
        if (!state.visible) {  // closing leaves every row usable
            EXPECT_TRUE(dialog.panel().textBox(row(1))->isEnabled());
        }
    }
}

struct Refusal {
    const char* name;
    std::function<void()> setUp;  // brings the dialog to the press
    const char* button;
    QString message;
};

// The texts of a dialog's boxes, to see that a refusal keeps them.
QStringList boxTexts(QWidget& dialog) {
    QStringList texts;
    for (const QLineEdit* box : dialog.findChildren<QLineEdit*>()) {
        texts << box->text();
    }
    return texts;
}

// Every refusal stops the press: one message, nothing drawn or stored, the texts kept.
void expectRefusals(QWidget& dialog, const chart::Picture& picture,
                    dialogs::RecordedMessages& messages, const std::vector<Refusal>& refusals) {
    for (const Refusal& r : refusals) {
        SCOPED_TRACE(r.name);
        r.setUp();
        const std::size_t items = picture.items().size();
        const QStringList texts = boxTexts(dialog);
        messages.clear();
        click(dialog, r.button);
        EXPECT_EQ(messages.texts(), QStringList{r.message});
        EXPECT_EQ(picture.items().size(), items);
        EXPECT_EQ(boxTexts(dialog), texts);
    }
}

TEST_F(MixingCooling, Refusals) {
    const auto fresh = [this](bool cooling, const Rows& rows, const char* G) {
        click(form3, "Command2");
        cooling ? form3.showForCooling() : form3.showForMixing();
        enter(form3.panel(), rows);
        setText(form3, "Text7", QString::fromLatin1(G));
    };
    const auto afterPoint1 = [this, fresh](bool cooling, const Rows& rows, const char* G2) {
        fresh(cooling, {{1, "0.008"}, {2, "12"}}, "100");
        click(form3, "Command1");
        enter(form3.panel(), rows);
        setText(form3, "Text7", QString::fromLatin1(G2));
    };
    const Rows good{{3, "20"}, {6, "50"}};
    const Rows one{{3, "20"}};
    const std::string huge(60, '9');
    const std::string huger(308, '9');  // i2·G2 overflows
    expectRefusals(
        form3, picture, messages,
        {
            {"point 1, one box", [&] { fresh(false, one, "100"); }, "Command1", kCheckTwo},
            {"point 1, not a number",
             [&] {
                 fresh(false, {{3, "2O"}, {6, "50"}}, "100");
             },
             "Command1", kNotANumber},
            {"point 1, no quantity", [&] { fresh(true, good, ""); }, "Command1", kAirQuantity},
            {"point 1, quantity 0", [&] { fresh(false, good, "0"); }, "Command1", kAirQuantity},
            {"point 1, negative", [&] { fresh(true, good, "-5"); }, "Command1", kAirQuantity},
            {"point 1, text", [&] { fresh(false, good, "abc"); }, "Command1", kAirQuantity},
            {"point 1, beyond float", [&] { fresh(false, good, huge.c_str()); }, "Command1",
             kAirQuantity},
            {"point 2, one box", [&] { afterPoint1(false, one, "100"); }, "Command4", kNextState},
            {"point 2, quantity 0", [&] { afterPoint1(false, good, "0"); }, "Command4", kNextState},
            {"point 2, no quantity", [&] { afterPoint1(false, good, ""); }, "Command4",
             kAirQuantity},
            {"point 2, mixing beyond double", [&] { afterPoint1(false, good, huger.c_str()); },
             "Command4", kNoResult},
            {"cooling point 2, one box", [&] { afterPoint1(true, one, "100"); }, "Command4",
             kNextState},
            // a load of 20 digits would be written out in full: refused instead
            {"cooling load too large to write",
             [&] {
                 fresh(true, {{1, "0.008"}, {2, "12"}}, "100000000000000000000");
                 click(form3, "Command1");
                 enter(form3.panel(), good);
             },
             "Command4", kNoResult},
        });
    // A refused cooling "点2確定" keeps the air quantity locked at G1.
    EXPECT_FALSE(child<QWidget>(form3, "Frame2")->isEnabled());
}

class Heating : public ProcessDialogs {
  protected:
    void SetUp() override {
        form4.showForHeating();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form4));
    }
    void calculate(const Rows& rows, const QString& G, const QString& t2) {
        click(form4, "Command2");
        enter(form4.panel(), rows);
        setText(form4, "Text7", G);
        setText(form4, "Text8", t2);
        click(form4, "Command1");
    }
    dialogs::HeatingDialog form4{messages};
    Following following_{shown, form4};
};

TEST_F(Heating, LoadAndMarks) {
    struct Case {
        const char* G;
        const char* t2;
        const char* load;
        double X2;
    };
    const Case cases[] = {
        {"1000", "30", "2432", 136.0368},
        {"1000", "10", "-2432", 0.0},   // X2 not checked
        {"1000", "20", "0", 101.5503},  // point 2 on point 1
        {"0", "30", "0", 136.0368},     // an empty duct still draws its process
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.load);
        shown.wipe();
        calculate({{3, "20"}, {6, "50"}}, c.G, c.t2);
        EXPECT_TRUE(messages.texts().isEmpty());
        EXPECT_EQ(text(form4, "Text9"), c.load);
        EXPECT_FALSE(child<QWidget>(form4, "Frame4")->isHidden());
        EXPECT_FALSE(child<QWidget>(form4, "Command1")->isEnabled());
        const auto circles = itemsOf<chart::CircleItem>(picture);
        ASSERT_EQ(circles.size(), 2u);
        expectMark(circles[0], 101.5503, 128.4272);
        if (c.X2 != 0.0) {
            expectMark(circles[1], c.X2, 128.4272);
        }
        EXPECT_EQ(labels(picture), (std::vector<std::string>{"点１", "点２"}));
        const auto lines = itemsOf<chart::LineItem>(picture);
        ASSERT_EQ(lines.size(), 1u);
        EXPECT_NEAR(lines[0].from.Y, lines[0].to.Y, 1e-5);  // horizontal
        EXPECT_EQ(lines[0].from.X, circles[0].centre.X);
        EXPECT_EQ(lines[0].to.X, circles[1].centre.X);
    }
}

TEST_F(Heating, Lifecycle) {
    const Rows good{{3, "20"}, {6, "50"}};
    calculate(good, "1000", "30");
    auto* command1 = child<QPushButton>(form4, "Command1");
    EXPECT_TRUE(child<QWidget>(form4, "Frame1")->isHidden());
    command1->click();  // disabled: nothing happens
    EXPECT_EQ(itemsOf<chart::CircleItem>(picture).size(), 2u);

    click(form4, "Command3");
    EXPECT_FALSE(form4.isVisible());
    form4.showForHeating();
    EXPECT_FALSE(command1->isEnabled());  // reopening keeps "計算" off until "クリア"
    EXPECT_FALSE(child<QWidget>(form4, "Frame1")->isHidden());
    EXPECT_TRUE(child<QWidget>(form4, "Frame4")->isHidden());

    click(form4, "Command2");
    EXPECT_TRUE(command1->isEnabled());
    EXPECT_EQ(text(form4, "Text9"), "2432");  // kept
    QTest::keyClick(&form4, Qt::Key_Escape);
    EXPECT_FALSE(form4.isVisible());
}

TEST_F(Heating, Refusals) {
    const auto given = [this](const Rows& rows, const char* G, const std::string& t2) {
        return [=, this] {
            click(form4, "Command2");
            enter(form4.panel(), rows);
            setText(form4, "Text7", QString::fromLatin1(G));
            setText(form4, "Text8", QString::fromStdString(t2));
        };
    };
    const Rows good{{3, "20"}, {6, "50"}};
    expectRefusals(
        form4, picture, messages,
        {
            {"one box", given({{3, "20"}}, "1000", "30"), "Command1", kCheckTwo},
            {"no state", given({{2, "-20"}, {6, "50"}}, "1000", "30"), "Command1",
             QStringLiteral("入力した値では空気の状態が求まりません。")},
            {"no quantity", given(good, "", "30"), "Command1", kAirQuantity},
            {"negative quantity", given(good, "-1", "30"), "Command1", kAirQuantity},
            {"no temperature", given(good, "1000", ""), "Command1", kNotANumber},
            {"temperature text", given(good, "1000", "abc"), "Command1", kNotANumber},
            {"load beyond double", given(good, "1000", std::string(306, '9')), "Command1",
             kNoResult},
            // point 2 ten metres off the picture; a load of 17 digits
            {"final state far off the chart", given(good, "1000", "5000"), "Command1", kNoResult},
            {"load too large to write", given(good, "10000000000000000", "30"), "Command1",
             kNoResult},
        });
    EXPECT_TRUE(form4.findChild<QPushButton*>("Command1")->isEnabled());
}

class Humidifying : public ProcessDialogs {
  protected:
    void SetUp() override {
        form7.showForSteam();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form7));
    }
    // 20 °C, 50 % at 1000 kg/h to the given humidity.
    void given(const char* temperature, const char* target, const char* G = "1000") {
        click(form7, "Command2");
        enter(form7.panel(), {{3, "20"}, {6, "50"}});
        setText(form7, "Text7", QString::fromLatin1(G));
        setText(form7, "Text8", QString::fromLatin1(temperature));
        setText(form7, "Text10", QString::fromLatin1(target));
    }
    QString labelText(const char* label) { return child<QLabel>(form7, label)->text(); }
    dialogs::HumidifyingDialog form7{messages};
    Following following_{shown, form7};
};

// From 20 °C / 50 % at 1000 kg/h to 80 %: steam at 100 °C needs L = 4.9744 kg/h and ends at
// 20.7152 °C, a water spray at 15 °C L = 1.7111 kg/h ending at 15.8538 °C.
TEST_F(Humidifying, SizesTheHumidifierAndMarksTheProcess) {
    struct Case {
        bool steam;
        const char* temperature;
        const char* L;
        const char* t2;
        const char* x2;
        double u;        // kcal/kg of the added water: 597.3 + 0.441·100, or 15
        double litres;   // L, kg/h, to 4 decimals
        double t2Exact;  // °C, to 4 decimals
    };
    const Case cases[] = {
        {true, "100", "5", "20.72", "0.01223", 641.4, 4.9744, 20.7152},
        {false, "15", "1.7", "15.85", "0.00897", 15.0, 1.7111, 15.8538},  // evaporative cooling
    };
    constexpr double kX1 = 0.00725669129764;  // 20 °C, 50 %, to 12 digits
    constexpr double kI1 = 9.19842572933;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.L);
        shown.wipe();
        c.steam ? form7.showForSteam() : form7.showForWaterSpray();
        given(c.temperature, "80");
        click(form7, "Command1");
        EXPECT_TRUE(messages.texts().isEmpty());
        EXPECT_EQ(text(form7, "Text9"), c.L);
        EXPECT_EQ(labelText("Label11"), c.t2);
        EXPECT_EQ(labelText("Label12"), c.x2);
        EXPECT_EQ(labelText("Label13"), "80");
        EXPECT_FALSE(child<QWidget>(form7, "Frame4")->isHidden());
        EXPECT_TRUE(child<QWidget>(form7, "Frame1")->isHidden());
        EXPECT_FALSE(child<QWidget>(form7, "Command1")->isEnabled());

        const auto circles = itemsOf<chart::CircleItem>(picture);
        ASSERT_EQ(circles.size(), 2u);
        expectMark(circles[0], 101.5503, 128.4272);
        EXPECT_EQ(circles[1].radius, 0.7);
        EXPECT_EQ(circles[1].colour, chart::kLightRed);
        // The mark of the state after, read back off the chart: L = (x2 − x1)·G, t2 from the
        // enthalpy relation, and the process line's slope Δi/Δx = u.
        const chart::ChartState after =
            chart::pictureState(circles[1].centre.X, circles[1].centre.Y);
        const double x2 = after.xg / 1000.0;
        EXPECT_NEAR((x2 - kX1) * 1000.0, c.litres, 5e-5);
        EXPECT_NEAR((after.i - 597.3 * x2) / (0.24 + 0.441 * x2), c.t2Exact, 5e-5);
        EXPECT_NEAR(after.i - kI1, c.u * (x2 - kX1), 1e-9);
        EXPECT_EQ(labels(picture), (std::vector<std::string>{"点１", "点２"}));
        const auto lines = itemsOf<chart::LineItem>(picture);
        ASSERT_EQ(lines.size(), 1u);
        EXPECT_EQ(lines[0].from.X, circles[0].centre.X);
        EXPECT_EQ(lines[0].to.Y, circles[1].centre.Y);
    }
}

TEST_F(Humidifying, Refusals) {
    const auto with = [this](bool steam, const char* temperature, const char* target,
                             const char* G = "1000") {
        return [=, this] {
            steam ? form7.showForSteam() : form7.showForWaterSpray();
            given(temperature, target, G);
        };
    };
    const auto onePoint = [this] {
        click(form7, "Command2");
        enter(form7.panel(), {{3, "20"}});
    };
    expectRefusals(
        form7, picture, messages,
        {
            {"one box", onePoint, "Command1", kCheckTwo},
            {"no quantity", with(true, "100", "80", ""), "Command1", kAirQuantity},
            {"quantity 0", with(true, "100", "80", "0"), "Command1", kAirQuantity},
            {"temperature text", with(true, "hot", "80"), "Command1", kNotANumber},
            {"no target", with(false, "15", ""), "Command1", kNotANumber},
            {"steam below 100", with(true, "99", "80"), "Command1",
             QStringLiteral("蒸気温度は100℃以上を入力してください。")},
            {"water above 100", with(false, "101", "80"), "Command1",
             QStringLiteral("水温は0～100℃の範囲で入力してください。")},
            {"above saturation", with(false, "15", "100.5"), "Command1",
             QStringLiteral("加湿後の相対湿度は100％以下を入力してください。")},
            {"not above state 1", with(true, "100", "50"), "Command1",
             QStringLiteral("加湿後の相対湿度は点1の相対湿度より高い値を入力してください。")},
            {"line turns back", with(true, "500", "80"), "Command1",
             QStringLiteral("この加湿では指定した相対湿度に達しません。")},
        });
}

// Each kind keeps its own temperature text; every opening returns to the input.
TEST_F(Humidifying, OpeningsAndClosing) {
    setText(form7, "Text8", QStringLiteral("120"));
    form7.showForWaterSpray();
    EXPECT_EQ(child<QGroupBox>(form7, "Frame3")->title(), "水温");
    EXPECT_EQ(text(form7, "Text8"), "15");
    given("15", "80");
    click(form7, "Command1");
    form7.showForSteam();
    EXPECT_EQ(text(form7, "Text8"), "120");
    EXPECT_EQ(child<QGroupBox>(form7, "Frame3")->title(), "蒸気温度");
    EXPECT_TRUE(child<QWidget>(form7, "Command1")->isEnabled());
    EXPECT_TRUE(child<QWidget>(form7, "Frame4")->isHidden());
    EXPECT_FALSE(child<QWidget>(form7, "Frame1")->isHidden());
    QTest::keyClick(&form7, Qt::Key_Escape);
    EXPECT_FALSE(form7.isVisible());
    EXPECT_TRUE(form7.panel().textBox(row(1))->isEnabled());
}

}  // namespace
