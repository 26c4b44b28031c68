#include "util/Ansi.h"
#include "util/TextUtil.h"

#include <gtest/gtest.h>

using namespace vorlix;

TEST(NextToken, CutsAtTheSeparatorAndTrimsLeadingControls)
{
    QString text = u"  \tabc, def,ghi"_qs;
    EXPECT_EQ(nextToken(text, u','), u"abc"_qs);
    EXPECT_EQ(text, u" def,ghi"_qs);
    EXPECT_EQ(nextToken(text, u','), u"def"_qs);
    EXPECT_EQ(nextToken(text, u','), u"ghi"_qs);
    EXPECT_TRUE(text.isEmpty());
    EXPECT_EQ(nextToken(text, u','), QString());
}

TEST(NextToken, SeparatorInFirstPositionGivesEmptyToken)
{
    QString text = u",12"_qs;
    EXPECT_EQ(nextToken(text, u','), QString());
    EXPECT_EQ(text, u"12"_qs);
}

TEST(NextToken, TrailingBlanksOfATokenStay)
{
    QString text = u"ab ,c"_qs;
    EXPECT_EQ(nextToken(text, u','), u"ab "_qs);
}

TEST(NextTokenInt, ConvertsOrGivesZero)
{
    QString text = u"12,x,-7,,70000,2147483648,"_qs;
    EXPECT_EQ(nextTokenInt(text, u','), 12);
    EXPECT_EQ(nextTokenInt(text, u','), 0);
    EXPECT_EQ(nextTokenInt(text, u','), -7);
    EXPECT_EQ(nextTokenInt(text, u','), 0);
    EXPECT_EQ(nextTokenInt(text, u','), 70000);
    EXPECT_EQ(nextTokenInt(text, u','), 0); // does not fit 32 bits
    EXPECT_TRUE(text.isEmpty());
}

TEST(NextTokenInt, SixteenBitVariantKeepsTheLowBits)
{
    QString text = u"70000,-1,65535"_qs;
    EXPECT_EQ(nextTokenInt16(text, u','), 4464);
    EXPECT_EQ(nextTokenInt16(text, u','), 65535);
    EXPECT_EQ(nextTokenInt16(text, u','), 65535);
}

TEST(IsNonNumeric, DigitsMinusAndDotAreNumeric)
{
    EXPECT_FALSE(isNonNumeric(QString()));
    EXPECT_FALSE(isNonNumeric(u"12.5"_qs));
    EXPECT_FALSE(isNonNumeric(u"-3"_qs));
    EXPECT_FALSE(isNonNumeric(u"1-2.3."_qs));
    EXPECT_TRUE(isNonNumeric(u"12a"_qs));
    EXPECT_TRUE(isNonNumeric(u" 12"_qs));
}

struct PointTextCase {
    const char *text;
    bool valid;
};

class ValidPointTextTest : public ::testing::TestWithParam<PointTextCase> {};

TEST_P(ValidPointTextTest, Checks)
{
    EXPECT_EQ(validPointText(QString::fromLatin1(GetParam().text)), GetParam().valid) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Examples, ValidPointTextTest,
    ::testing::Values(PointTextCase{"AV-32", true}, PointTextCase{"BV-13", true},
                      PointTextCase{"AV-1-P87[3]", true}, PointTextCase{"1200:BO-4-P104", true},
                      PointTextCase{"AV-1-P87", false}, PointTextCase{"AV-1-P87[17]", false},
                      PointTextCase{"XV-3", false}, PointTextCase{"AV-", false},
                      PointTextCase{"1200:object-name", true}, PointTextCase{"Description", true},
                      PointTextCase{"location", true}, PointTextCase{"4194304:AV-1", false},
                      PointTextCase{"4194303:ai-4194303", true}, PointTextCase{"AV-4194304", false},
                      PointTextCase{"AV-1-P87[0]", false}, PointTextCase{"AV-1-P87[16]", true},
                      PointTextCase{"AV-1-P85", false}, PointTextCase{"x:AV-1", false},
                      PointTextCase{"", false}, PointTextCase{"AVV-1", false},
                      PointTextCase{" 12: av-3", true}));

TEST(AsciiLower, OnlyAsciiLettersChange)
{
    // As the database's NOCASE collation compares: "Ä" is not "ä".
    EXPECT_EQ(asciiLower(u"DÄSP0004.IBW"_qs), u"dÄsp0004.ibw"_qs);
    EXPECT_EQ(asciiLower(u"@[`{ az"_qs), u"@[`{ az"_qs);
}

TEST(Ansi, RoundTripsWindows1252)
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(static_cast<char>(b));
    EXPECT_EQ(ansi::encode(ansi::decode(all)), all);
    EXPECT_EQ(ansi::decode(QByteArray("\x80\x9f\xe9", 3)), QString::fromUtf8("€Ÿé"));
}

TEST(Ansi, CharactersOutsideTheCodePageBecomeQuestionMarks)
{
    EXPECT_EQ(ansi::encode(QString::fromUtf8("a€Ωb😀")), QByteArray("a\x80?b?"));
}

TEST(Ansi, FieldEndsAtNulOrAtItsEnd)
{
    EXPECT_EQ(ansi::decodeField(QByteArray("ab\0cd", 5)), u"ab"_qs);
    EXPECT_EQ(ansi::decodeField(QByteArray("abcd")), u"abcd"_qs);
}
