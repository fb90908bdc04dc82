#include "dialogs/number_input.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

struct Accepted {
    const char16_t* text;
    double value;
};

TEST(ReadNumber, AcceptsPlainDecimalsInEitherWidth) {
    const Accepted cases[] = {
        {u"20", 20.0},
        {u"-6.5", -6.5},
        {u"+3.", 3.0},
        {u".75", 0.75},
        {u"0.0072566913", 0.0072566913},
        {u"  50 ", 50.0},     // blanks around a number
        {u"\u300020", 20.0},  // ideographic space from a Japanese input method
        {u"２０．５", 20.5},  // full-width digits and point
        {u"－３", -3.0},
        {u"＋１２", 12.0},
        {u"\u22126", -6.0},  // minus sign
        {u"１2.５", 12.5},   // mixed widths
        {u"-0", 0.0},
    };
    for (const Accepted& c : cases) {
        const QString text = QString::fromUtf16(c.text);
        const auto value = dialogs::readNumber(text);
        ASSERT_TRUE(value.has_value()) << text.toStdString();
        EXPECT_EQ(*value, c.value) << text.toStdString();
    }
}

TEST(ReadNumber, RefusesWhatIsNotANumberRatherThanReadingZero) {
    const char16_t* cases[] = {
        u"",           u" ",     u"\u3000", u"-",    u".",      u"+-3",   u"2 0",  u"20℃",
        u"1e3",        u"1,000", u"inf",    u"-inf", u"nan",    u"NaN",   u"0x10", u"abc",
        u"１．２．３", u"3-",    u"--3",    u"20%",  u"５０％", u"1.2.3", u"٣",  // an Arabic-Indic
                                                                                 // digit is no
                                                                                 // decimal digit
                                                                                 // here
    };
    for (const char16_t* c : cases) {
        const QString text = QString::fromUtf16(c);
        EXPECT_FALSE(dialogs::readNumber(text).has_value()) << text.toStdString();
    }
    // A number too large for a double is refused, not turned into infinity.
    EXPECT_FALSE(dialogs::readNumber(QString(400, QLatin1Char('9'))).has_value());
}

}  // namespace

// The reader trims what Qt's text boxes count as white space, and nothing else: a number with
// any one UTF-16 code unit behind it is read exactly when that unit is a space to QChar, a digit
// or a point (either width).
TEST(ReadNumber, TrimsTheWhiteSpaceQtSees) {
    for (char32_t unit = 0; unit <= 0xffff; ++unit) {
        const QChar c(static_cast<char16_t>(unit));
        const bool digitOrPoint = (unit >= u'0' && unit <= u'9') ||
                                  (unit >= u'０' && unit <= u'９') || unit == u'.' || unit == u'．';
        const QString text = QStringLiteral("5") + c;
        EXPECT_EQ(dialogs::readNumber(text).has_value(), c.isSpace() || digitOrPoint)
            << "U+" << std::hex << static_cast<unsigned>(unit);
    }
}
