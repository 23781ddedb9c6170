// Jet's stored numbers, dates and texts turned into exact text, and the kind of a file by its first bytes.
#include "jetimport/FileKind.h"
#include "jetimport/JetValues.h"

#include <QFile>
#include <QTemporaryDir>
#include <cstring>
#include <gtest/gtest.h>
#include <limits>

using namespace jetimport;

TEST(JetValues, NumbersAreExactDecimalText)
{
    EXPECT_EQ(currencyText(455000), "45.5");
    EXPECT_EQ(currencyText(12345678900), "1234567.89");
    EXPECT_EQ(currencyText(-52500), "-5.25");
    EXPECT_EQ(currencyText(100), "0.01");
    EXPECT_EQ(currencyText(0), "0");
    EXPECT_EQ(currencyText(INT64_MIN), "-922337203685477.5808");

    // A Single keeps the digits it was typed with, not those of its binary value.
    EXPECT_EQ(singleText(89.9f), "89.9");
    EXPECT_EQ(singleText(0.1f), "0.1");
    EXPECT_EQ(singleText(1e6f), "1000000");
    EXPECT_EQ(doubleText(19.99), "19.99");
    EXPECT_EQ(doubleText(-0.0), "0");
    EXPECT_EQ(doubleText(1e20), "100000000000000000000");
    EXPECT_EQ(doubleText(std::numeric_limits<double>::quiet_NaN()), "");

    // Decimal: sign byte, then the 128-bit magnitude as four little-endian words, most significant first.
    unsigned char dec[17] = {};
    dec[13] = 0x39; // 12345 in the least significant word
    dec[14] = 0x30;
    EXPECT_EQ(decimalText(dec, 2), "123.45");
    EXPECT_EQ(decimalText(dec, 0), "12345");
    EXPECT_EQ(decimalText(dec, 7), "0.0012345");
    dec[0] = 0x80;
    EXPECT_EQ(decimalText(dec, 3), "-12.345");
    unsigned char big[17] = {};
    big[5] = 1; // 2^64: the lowest bit of the second word
    EXPECT_EQ(decimalText(big, 0), "18446744073709551616");
}

TEST(JetValues, DatesCountDaysFrom1899AndKeepTheDay)
{
    const auto text = [](double days) {
        const auto d = jetDate(days);
        return d ? dateText(*d) : std::string("invalid");
    };
    EXPECT_EQ(text(0), "1899-12-30");
    EXPECT_EQ(text(2), "1900-01-01");
    EXPECT_EQ(text(42071), "2015-03-08");
    EXPECT_EQ(text(42429), "2016-02-29");
    EXPECT_EQ(text(43952 + 0.5732638888888889), "2020-05-01 13:45:30");
    // Before 1899-12-30 the day counts down and the fraction still counts the time forward.
    EXPECT_EQ(text(-1.25), "1899-12-29 06:00:00");
    EXPECT_EQ(text(-657434), "0100-01-01");
    EXPECT_EQ(text(2958465), "9999-12-31");
    // A time a hair before midnight is the next day's start, not a time of 24:00:00.
    EXPECT_EQ(text(43952.9999999999), "2020-05-02");
    EXPECT_EQ(text(2958466), "invalid");
    EXPECT_EQ(text(-657435), "invalid");
    EXPECT_EQ(text(std::numeric_limits<double>::infinity()), "invalid");
}

TEST(JetValues, Jet4TextPlainAndCompressed)
{
    // "A€😀" in UTF-16LE, the emoji as a surrogate pair.
    const char plain[] = "A\0\xAC\x20\x3D\xD8\x00\xDE";
    EXPECT_EQ(jet4Text(std::string_view(plain, 8)), "A€😀");
    // Compressed: "ab", switch, "中" (4E2D), switch, "c".
    const char packed[] = "\xFF\xFE"
                          "ab"
                          "\0"
                          "\x2D\x4E"
                          "\0"
                          "c";
    EXPECT_EQ(jet4Text(std::string_view(packed, 9)), "ab中c");
    // A lone surrogate and an odd trailing byte never make invalid UTF-8.
    EXPECT_EQ(jet4Text(std::string_view("\x3D\xD8"
                                        "A\0"
                                        "x",
                                        5)),
              "\xEF\xBF\xBD"
              "A");
    EXPECT_EQ(jet4Text({}), "");
}

TEST(FileKind, FirstBytesTellTheKind)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("data.mdb"));
    const auto kindOf = [&](const QByteArray& bytes) {
        QFile f(path);
        f.open(QIODevice::WriteOnly | QIODevice::Truncate);
        f.write(bytes);
        f.close();
        return sniffFile(path);
    };
    const QByteArray jet = QByteArray("\0\1\0\0Standard Jet DB\0", 20) + QByteArray(2028, '\0');
    QByteArray jet4 = jet;
    jet4[0x14] = 1;
    QByteArray jet5 = jet;
    jet5[0x14] = 5;
    QByteArray ace = QByteArray("\0\1\0\0Standard ACE DB\0", 20) + QByteArray(2028, '\0');
    ace[0x14] = 2;
    EXPECT_EQ(kindOf(jet), FileKind::Jet3);
    EXPECT_EQ(kindOf(jet4), FileKind::Jet4);
    EXPECT_EQ(kindOf(jet5), FileKind::JetOther);
    EXPECT_EQ(jetVersionByte(path), 5);
    EXPECT_EQ(kindOf(ace), FileKind::Ace);
    EXPECT_EQ(kindOf(QByteArray("SQLite format 3\0", 16) + QByteArray(100, 'x')), FileKind::Sqlite);
    EXPECT_EQ(kindOf(QByteArray()), FileKind::Other);
    EXPECT_EQ(kindOf(jet.left(0x14)), FileKind::Other);
    EXPECT_EQ(kindOf(QByteArray("Standard Jet DB but not at its place")), FileKind::Other);
    QFile::remove(path);
    EXPECT_EQ(sniffFile(path), FileKind::Missing);
}
