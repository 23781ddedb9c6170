#include "Printing.h"
#include "store/TextForms.h"
#include "support/Fixtures.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <gtest/gtest.h>
#include <iomanip>
#include <random>
#include <string>
#include <tuple>
#include <vector>

namespace {

// Pins the forms to one locale for a test and gives the pinned one back afterwards.
class TextFormsTest : public ::testing::Test
{
protected:
    void use(const char* name) { store::textforms::setUiLocale(QLocale(QString::fromLatin1(name))); }
    void TearDown() override { testsupport::pinLocale(); }
};

TEST_F(TextFormsTest, DateTextHasFourDigitYearInEveryLocale)
{
    const QDate day(2026, 12, 9);
    use("zh_CN");
    EXPECT_EQ(store::textforms::dateText(day), QStringLiteral("2026/12/9"));
    use("en_US");
    EXPECT_EQ(store::textforms::shortDateFormat(), QStringLiteral("M/d/yyyy"));
    EXPECT_EQ(store::textforms::dateText(day), QStringLiteral("12/9/2026"));
    use("de_DE");
    EXPECT_EQ(store::textforms::dateText(QDate(2026, 3, 5)), QStringLiteral("05.03.2026"));
    // The C locale has no regional form of its own: the program uses Chinese (China).
    store::textforms::setUiLocale(QLocale::c());
    EXPECT_EQ(store::textforms::uiLocale().name(), QStringLiteral("zh_CN"));
    EXPECT_EQ(store::textforms::dateText(day), QStringLiteral("2026/12/9"));
    // Pinning a locale that is also Qt's default keeps it; nullopt goes back to the system's.
    QLocale::setDefault(QLocale(QStringLiteral("en_US")));
    use("en_US");
    EXPECT_EQ(store::textforms::uiLocale().name(), QStringLiteral("en_US"));
    store::textforms::setUiLocale(std::nullopt);
    const QLocale system = QLocale::system();
    EXPECT_EQ(store::textforms::uiLocale().name(),
              system.language() == QLocale::C ? QStringLiteral("zh_CN") : system.name());
    QLocale::setDefault(testsupport::pinnedLocale());
}

TEST_F(TextFormsTest, ReadDateAcceptsTheShownFormAndIsoOnly)
{
    use("zh_CN");
    EXPECT_EQ(store::textforms::readDate(u"2026/12/9"), QDate(2026, 12, 9));
    EXPECT_EQ(store::textforms::readDate(u"2026/12/09"), QDate(2026, 12, 9));
    EXPECT_EQ(store::textforms::readDate(u"2026-12-09"), QDate(2026, 12, 9));
    EXPECT_EQ(store::textforms::readDate(u"2026-1-5"), QDate(2026, 1, 5));
    EXPECT_EQ(store::textforms::readDate(u"26/12/9"), QDate(2026, 12, 9));
    EXPECT_EQ(store::textforms::readDate(u"50/1/1"), QDate(1950, 1, 1));
    EXPECT_EQ(store::textforms::readDate(u"49/12/31"), QDate(2049, 12, 31));
    EXPECT_EQ(store::textforms::readDate(u" 2026/12/9 "), QDate(2026, 12, 9));
    for (const char16_t* bad :
         {u"", u"abc", u"2026/2/30", u"2026/13/1", u"2026/12/9x", u"12/9/2026", u"26.12.9", u"202/12/9",
          u"20261/12/9", u"2026/12/", u"2026-02-29", u"2026/12/123", u"2026.12-4", u"2026.12.4.",
          u"2026年12月4", u"2026年12月32日"}) {
        EXPECT_FALSE(store::textforms::readDate(bad).has_value()) << QString::fromUtf16(bad).toStdString();
    }
    EXPECT_EQ(store::textforms::readDate(u"2024/2/29"), QDate(2024, 2, 29));

    use("en_US");
    EXPECT_EQ(store::textforms::readDate(u"12/9/2026"), QDate(2026, 12, 9));
    EXPECT_EQ(store::textforms::readDate(u"12/9/26"), QDate(2026, 12, 9));
    EXPECT_EQ(store::textforms::readDate(u"2026-12-09"), QDate(2026, 12, 9));
    EXPECT_FALSE(store::textforms::readDate(u"2026/12/9").has_value());
    EXPECT_FALSE(store::textforms::readDate(u"13/9/2026").has_value());

    use("de_DE");
    EXPECT_EQ(store::textforms::readDate(u"09.12.2026"), QDate(2026, 12, 9));
    EXPECT_EQ(store::textforms::readDate(u"9.12.2026"), QDate(2026, 12, 9));
    EXPECT_FALSE(store::textforms::readDate(u"12/9/2026").has_value());

    // A four-digit year first reads in every locale, as the seller writes it.
    for (const char* name : {"zh_CN", "en_US", "de_DE"}) {
        use(name);
        for (const char16_t* text : {u"2026年12月4日", u"2026.12.4", u"2026-12-4", u"２０２６年１２月４日"}) {
            EXPECT_EQ(store::textforms::readDate(text), QDate(2026, 12, 4)) << name;
        }
    }

    // Every day shown reads back as itself.
    for (const char* name : {"zh_CN", "en_US", "de_DE", "ja_JP", "ko_KR", "sv_SE"}) {
        use(name);
        for (QDate d(1753, 1, 1); d.year() < 10000; d = d.addDays(997)) {
            ASSERT_EQ(store::textforms::readDate(store::textforms::dateText(d)), d)
                << name << " " << d.toString().toStdString();
        }
    }
}

TEST_F(TextFormsTest, NumberTextIsPlainDecimal)
{
    use("zh_CN");
    EXPECT_EQ(store::textforms::numberText(12.5), QStringLiteral("12.5"));
    EXPECT_EQ(store::textforms::numberText(3), QStringLiteral("3"));
    EXPECT_EQ(store::textforms::numberText(0.3), QStringLiteral("0.3"));
    EXPECT_EQ(store::textforms::numberText(0.1 + 0.2), QStringLiteral("0.3"));
    EXPECT_EQ(store::textforms::numberText(-7), QStringLiteral("-7"));
    EXPECT_EQ(store::textforms::numberText(-0.0), QStringLiteral("0"));
    EXPECT_EQ(store::textforms::numberText(1234567.25), QStringLiteral("1234567.25"));
    EXPECT_EQ(store::textforms::numberText(1e20), QStringLiteral("100000000000000000000"));
    EXPECT_EQ(store::textforms::numberText(0.000012), QStringLiteral("0.000012"));
    EXPECT_EQ(store::textforms::numberText(123456789012345678.0), QStringLiteral("123456789012346000"));
    EXPECT_EQ(store::textforms::numberText(2.0 / 3), QStringLiteral("0.666666666666667"));
    EXPECT_EQ(store::textforms::numberText(350.5), QStringLiteral("350.5"));
    use("de_DE");
    EXPECT_EQ(store::textforms::numberText(12.5), QStringLiteral("12,5"));
    EXPECT_EQ(store::textforms::numberText(-1234.75), QStringLiteral("-1234,75"));
    use("en_US");
    EXPECT_EQ(store::textforms::numberText(1234.75), QStringLiteral("1234.75"));
}

// The fifteen significant digits, read however they are found, are those of the correctly rounded
// scientific form: whole cents, values at the edge of fifteen digits, and values that are no short decimal.
TEST_F(TextFormsTest, SignificantDigitsAreThoseOfTheRoundedScientificForm)
{
    auto expected = [](double value) {
        char buf[40];
        const auto end = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, 14).ptr;
        const std::string text(buf, end);
        const auto e = text.find('e');
        std::string digits = text.substr(0, e);
        std::erase(digits, '.');
        std::erase(digits, '-');
        return std::tuple(value < 0, std::stoll(digits), std::stoi(text.substr(e + 1)));
    };
    std::vector<double> values = {1,
                                  -1,
                                  0.01,
                                  0.1 + 0.2,
                                  19.99,
                                  -0.05,
                                  1e14,
                                  999999999999999.0,
                                  1e15,
                                  1e15 + 2,
                                  9999999999999.99,
                                  99999999999.9999,
                                  0.0001,
                                  0.00001,
                                  1.0 / 3,
                                  2.0 / 3,
                                  123.4567,
                                  1234567.25,
                                  0.1 * 3,
                                  4.35 * 100,
                                  1e-300,
                                  1.7976931348623157e308,
                                  5e-324,
                                  -12345.678};
    std::mt19937_64 random(20261210);
    for (int i = 0; i < 20000; ++i) {
        const int places = int(random() % 6);
        const auto whole = static_cast<qint64>(random() % 100000000000000000ULL) - 50000000000000000LL;
        values.push_back(double(whole % 10000000) / std::pow(10.0, places));
        values.push_back(double(whole) / std::pow(10.0, places + 2));
        values.push_back(std::bit_cast<double>(random() & 0x7fefffffffffffffULL));
    }
    for (const double value : values) {
        if (value == 0) {
            continue;
        }
        const store::textforms::SignificantDigits d = store::textforms::significantDigits(value);
        EXPECT_EQ(std::tuple(d.negative, d.digits, d.exponent), expected(value))
            << std::setprecision(17) << value;
    }
}

TEST_F(TextFormsTest, ReadNumberFollowsTheLocale)
{
    use("zh_CN");
    EXPECT_EQ(store::textforms::readNumber(u"12.5"), 12.5);
    EXPECT_EQ(store::textforms::readNumber(u" -2 "), -2);
    EXPECT_EQ(store::textforms::readNumber(u"+3"), 3);
    EXPECT_EQ(store::textforms::readNumber(u"1,234.5"), 1234.5);
    EXPECT_EQ(store::textforms::readNumber(u"1.5e2"), 150);
    EXPECT_EQ(store::textforms::readNumber(u"0"), 0);
    for (const char16_t* bad :
         {u"", u" ", u"abc", u"1.2.3", u"12a", u"1e999", u"inf", u"nan", u"--1", u"1 2"}) {
        EXPECT_FALSE(store::textforms::readNumber(bad).has_value()) << QString::fromUtf16(bad).toStdString();
    }
    use("de_DE");
    EXPECT_EQ(store::textforms::readNumber(u"12,5"), 12.5);
    EXPECT_EQ(store::textforms::readNumber(u"1.234,5"), 1234.5);
    use("en_US");
    EXPECT_EQ(store::textforms::readNumber(u"1,234.5"), 1234.5);
    // Whatever is shown reads back as the same number.
    for (const char* name : {"zh_CN", "en_US", "de_DE"}) {
        use(name);
        for (double v : {12.5, -7.0, 0.3, 1234567.125, 1e-7, 98765432109.5}) {
            EXPECT_EQ(store::textforms::readNumber(store::textforms::numberText(v)), v) << name;
        }
    }
    store::textforms::setUiLocale(QLocale::c());
    EXPECT_EQ(store::textforms::readNumber(u"12.5"), 12.5);
}

TEST_F(TextFormsTest, FullWidthDigitsAndSignsOfAChineseInputMethodRead)
{
    use("zh_CN");
    EXPECT_EQ(store::textforms::readNumber(u"１２"), 12);
    EXPECT_EQ(store::textforms::readNumber(u"１９．９"), 19.9);
    EXPECT_EQ(store::textforms::readNumber(u"－５"), -5);
    EXPECT_EQ(store::textforms::readNumber(u"＋３"), 3);
    EXPECT_EQ(store::textforms::readNumber(u"１，２３４．５"), 1234.5);
    EXPECT_EQ(store::textforms::readNumber(u"\u3000７\u3000"), 7); // ideographic spaces around it
    EXPECT_EQ(store::textforms::readNumber(u"1２.5"), 12.5);       // half typed in each mode
    for (const char16_t* bad : {u"１２ａ", u"１．２．３", u"－－１", u"１９。９", u"十二", u"①"}) {
        EXPECT_FALSE(store::textforms::readNumber(bad).has_value()) << QString::fromUtf16(bad).toStdString();
    }
    EXPECT_EQ(store::textforms::readDate(u"２０２６／１２／９"), QDate(2026, 12, 9));
    EXPECT_EQ(store::textforms::readDate(u"２０２６－１２－０９"), QDate(2026, 12, 9));
    use("de_DE");
    EXPECT_EQ(store::textforms::readNumber(u"１２，５"), 12.5); // the locale decides what the comma means
}

TEST_F(TextFormsTest, TheCalendarRangeIs1753To9999)
{
    EXPECT_EQ(store::textforms::firstCalendarDay(), QDate(1753, 1, 1));
    EXPECT_EQ(store::textforms::lastCalendarDay(), QDate(9999, 12, 31));
    EXPECT_TRUE(store::textforms::inCalendarRange(QDate(1753, 1, 1)));
    EXPECT_TRUE(store::textforms::inCalendarRange(QDate(9999, 12, 31)));
    EXPECT_FALSE(store::textforms::inCalendarRange(QDate(1752, 12, 31)));
    EXPECT_FALSE(store::textforms::inCalendarRange(QDate()));
    // Such a date still reads (the entry window refuses it with its date message).
    use("zh_CN");
    EXPECT_EQ(store::textforms::readDate(u"0026/12/9"), QDate(26, 12, 9));
    use("en_US");
    EXPECT_EQ(store::textforms::readDate(u"12/9/0026"), QDate(26, 12, 9));
}

} // namespace
