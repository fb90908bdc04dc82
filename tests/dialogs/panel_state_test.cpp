#include "dialogs/panel_state.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QWidget>
#include <memory>

#include "chart/chart_frame.h"
#include "dialog_driver.h"
#include "dialogs/messages.h"
#include "dialogs/state_input_panel.h"

namespace {

using dialog_driver::row;
using dialogs::PanelHost;
using dialogs::StateInputPanel;

QString msg(const char16_t* text) {
    return QString::fromUtf16(text);
}

// A panel whose rows `first` and `second` are checked (from code, which runs the click rule)
// and whose six texts are `texts`.
struct Panel {
    Panel(PanelHost host, int first, int second, const std::array<const char16_t*, 6>& texts) {
        panel =
            new StateInputPanel(&window, host, host == PanelHost::ProcessDialog ? &text7 : nullptr);
        for (int k = 1; k <= 6; ++k) {
            panel->setText(row(k), QString::fromUtf16(texts[static_cast<std::size_t>(k - 1)]));
        }
        if (first > 0) {
            panel->check(row(first))->setChecked(true);
        }
        if (second > 0) {
            panel->check(row(second))->setChecked(true);
        }
    }
    QWidget window;
    QLineEdit text7{&window};
    StateInputPanel* panel = nullptr;
};

struct Refusal {
    int first;
    int second;
    std::array<const char16_t*, 6> texts;  // x, i, t, t′, v, φ
    const char16_t* pointMessage;          // point-dialog form
    const char16_t* processMessage;        // process form
};

// x = 1 followed by 304 zeros: it solves, but its enthalpy could not be written rounded.
const std::u16string kHugeX = u"1" + std::u16string(304, u'0');

const Refusal kRefusals[] = {
    // an empty text of the pair: the point form asks for two values, the process form refuses
    // it as not a number
    {3, 6, {u"", u"", u"", u"", u"", u"50"}, words::kPairTextEmpty, words::kNotANumber},
    {3, 6, {u"1", u"1", u"20", u"1", u"1", u""}, words::kPairTextEmpty, words::kNotANumber},
    // blanks are no number, nor is text, nor inf / nan
    {3, 6, {u"", u"", u"   ", u"", u"", u"50"}, words::kNotANumber, words::kNotANumber},
    {3, 6, {u"", u"", u"20", u"", u"", u"abc"}, words::kNotANumber, words::kNotANumber},
    {1, 2, {u"inf", u"9", u"", u"", u"", u""}, words::kNotANumber, words::kNotANumber},
    {1, 2, {u"0.007", u"nan", u"", u"", u"", u""}, words::kNotANumber, words::kNotANumber},
    // values from which no state follows
    {1, 6, {u"0.02", u"", u"", u"", u"", u"2"}, words::kNoAirState, words::kNoAirState},
    {1, 6, {u"0.007", u"", u"", u"", u"", u"0"}, words::kNoAirState, words::kNoAirState},
    {3, 6, {u"", u"", u"100", u"", u"", u"100"}, words::kNoAirState, words::kNoAirState},
    {2, 6, {u"", u"-20", u"", u"", u"", u"50"}, words::kNoAirState, words::kNoAirState},
    // states that solve but lie far off the picture, beyond any air the chart is for
    {1, 3, {kHugeX.c_str(), u"", u"20", u"", u"", u""}, words::kNoAirState, words::kNoAirState},
    {1, 3, {u"3", u"", u"20", u"", u"", u""}, words::kNoAirState, words::kNoAirState},
    {1, 2, {u"0", u"800", u"", u"", u"", u""}, words::kNoAirState, words::kNoAirState},
    // the two volume pairs keep their own messages
    {2,
     5,
     {u"", u"9.2", u"", u"", u"1.0", u""},
     words::kEnthalpyVolumeMismatch,
     words::kEnthalpyVolumeMismatch},
    {4,
     5,
     {u"", u"", u"", u"10", u"1.0", u""},
     words::kWetBulbVolumeMismatch,
     words::kWetBulbVolumeMismatch},
};

TEST(Ih, PointFormRefusesWithOneMessageAndWritesNothing) {
    for (const Refusal& c : kRefusals) {
        Panel p(PanelHost::PointDialog, c.first, c.second, c.texts);
        dialogs::RecordedMessages messages;
        const dialogs::PanelPoint result =
            dialogs::ihPointForm(*p.panel, messages, chart::Settings::standard());
        SCOPED_TRACE(msg(c.pointMessage).toStdString());
        EXPECT_TRUE(result.refused);
        EXPECT_EQ(messages.texts(), QStringList{msg(c.pointMessage)});
        EXPECT_EQ(messages.messages().at(0).title, "ミルテン");
        for (int k = 1; k <= 6; ++k) {
            EXPECT_EQ(p.panel->text(row(k)), msg(c.texts[static_cast<std::size_t>(k - 1)]));
        }
    }
}

TEST(Ih, ProcessFormReportsRefusalToItsCaller) {
    for (const Refusal& c : kRefusals) {
        Panel p(PanelHost::ProcessDialog, c.first, c.second, c.texts);
        dialogs::RecordedMessages messages;
        const auto result = dialogs::ihProcessForm(*p.panel, messages, chart::Settings::standard());
        SCOPED_TRACE(msg(c.processMessage).toStdString());
        ASSERT_FALSE(result.has_value());
        EXPECT_EQ(result.error(), dialogs::PanelFailure::Refused);
        EXPECT_EQ(messages.texts(), QStringList{msg(c.processMessage)});
    }
}

TEST(Ih, ProcessFormWithoutAPairShowsNothingAndSaysSo) {
    for (int checked : {0, 1}) {
        Panel p(PanelHost::ProcessDialog, checked == 1 ? 3 : 0, 0,
                {u"", u"", u"20", u"", u"", u"50"});
        dialogs::RecordedMessages messages;
        const auto result = dialogs::ihProcessForm(*p.panel, messages, chart::Settings::standard());
        ASSERT_FALSE(result.has_value());
        EXPECT_EQ(result.error(), dialogs::PanelFailure::NoPair);
        EXPECT_TRUE(messages.texts().isEmpty());
    }
}

TEST(Ih, PointFormCalledWithoutAPairRefuses) {
    Panel p(PanelHost::PointDialog, 3, 0, {u"", u"", u"20", u"", u"", u"50"});
    dialogs::RecordedMessages messages;
    EXPECT_TRUE(dialogs::ihPointForm(*p.panel, messages, chart::Settings::standard()).refused);
    EXPECT_EQ(messages.texts(), QStringList{msg(words::kCheckTwoBoxes)});
    EXPECT_EQ(p.panel->text(row(1)), "");
}

// What the point form writes back: the rounded x and i in plain text, never over a value the
// user gave; the chart point comes from the unrounded state.
struct Written {
    int first;
    int second;
    std::array<const char16_t*, 6> texts;
    const char* text1;
    const char* text2;
    double i;  // the unrounded state behind the point
    double x;
};

const Written kWritten[] = {
    {3, 6, {u"", u"", u"20", u"", u"", u"50"}, "0.00726", "9.2", 9.1984257, 0.0072566913},
    // the same state typed in full width
    {3, 6, {u"", u"", u"２０", u"", u"", u"５０"}, "0.00726", "9.2", 9.1984257, 0.0072566913},
    // a given x stays as typed, even with more decimals than the rounding keeps
    {1,
     3,
     {u"0.0072566913", u"", u"20", u"", u"", u""},
     "0.0072566913",
     "9.2",
     9.1984257,
     0.0072566913},
    {1, 3, {u"0.00726", u"old", u"20", u"", u"", u""}, "0.00726", "9.2", 9.2004312, 0.00726},
    // the x–i pair writes nothing and maps the typed values
    {1,
     2,
     {u"0.0072566913", u"9.1984257", u"", u"", u"", u""},
     "0.0072566913",
     "9.1984257",
     9.1984257,
     0.0072566913},
    {1, 2, {u"0", u"-2.4", u"", u"", u"", u""}, "0", "-2.4", -2.4, 0.0},
    // a given i stays; x is written with 5 decimals
    {2,
     3,
     {u"old", u"9.1984257", u"20", u"", u"", u""},
     "0.00726",
     "9.1984257",
     9.1984257,
     0.0072566913},
    // wet bulb 0 °C over ice (x–t′): i = 2.3141277 shows as 2.31
    {1, 4, {u"0.003", u"", u"", u"0", u"", u""}, "0.003", "2.31", 2.3141277, 0.003},
    // far above the chart but within reach: plain numbers, the point kept
    // (0.24·99 + 0.5·(597.3 + 0.441·99) = 344.2395)
    {1, 3, {u"0.5", u"", u"99", u"", u"", u""}, "0.5", "344.24", 344.2395, 0.5},
    // a negative enthalpy below 0 °C
    {4, 6, {u"", u"", u"", u"-6", u"", u"80"}, "0.00196", "-0.06", -0.0641595, 0.00195756},
};

TEST(Ih, PointFormWritesRoundedPlainTextAndMapsTheUnroundedState) {
    for (const Written& c : kWritten) {
        Panel p(PanelHost::PointDialog, c.first, c.second, c.texts);
        dialogs::RecordedMessages messages;
        const dialogs::PanelPoint result =
            dialogs::ihPointForm(*p.panel, messages, chart::Settings::standard());
        SCOPED_TRACE(c.text1);
        EXPECT_TRUE(messages.texts().isEmpty()) << messages.texts().join(' ').toStdString();
        EXPECT_FALSE(result.refused);
        EXPECT_EQ(p.panel->text(row(1)).toStdString(), c.text1);
        EXPECT_EQ(p.panel->text(row(2)).toStdString(), c.text2);
        for (int k = 3; k <= 6; ++k) {
            EXPECT_EQ(p.panel->text(row(k)), msg(c.texts[static_cast<std::size_t>(k - 1)]));
        }
        const chart::PointMm expected = chart::statePoint(c.i, 1000.0 * c.x);
        EXPECT_NEAR(result.XP, expected.X, 2e-4);
        EXPECT_NEAR(result.YP, expected.Y, 2e-4);
    }
}

TEST(Ih, TwentyDegreesHalfSaturatedInBothForms) {
    Panel point(PanelHost::PointDialog, 3, 6, {u"", u"", u"20", u"", u"", u"50"});
    dialogs::RecordedMessages messages;
    const dialogs::PanelPoint p =
        dialogs::ihPointForm(*point.panel, messages, chart::Settings::standard());
    EXPECT_NEAR(p.XP, 101.5503, 1e-4);
    EXPECT_NEAR(p.YP, 128.4272, 1e-4);

    Panel process(PanelHost::ProcessDialog, 3, 6, {u"", u"", u"20", u"", u"", u"50"});
    const auto q = dialogs::ihProcessForm(*process.panel, messages, chart::Settings::standard());
    ASSERT_TRUE(q.has_value());
    EXPECT_NEAR(q->i, 9.1984257, 3e-7);  // unrounded
    EXPECT_NEAR(q->x, 0.0072566913, 5e-11);
    EXPECT_EQ(q->XP, p.XP);
    EXPECT_EQ(q->YP, p.YP);
    EXPECT_EQ(process.panel->text(row(1)), "");  // the process form writes nothing
    EXPECT_EQ(process.panel->text(row(2)), "");
    EXPECT_TRUE(messages.texts().isEmpty());
}

}  // namespace
