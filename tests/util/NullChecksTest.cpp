#include "util/NullChecks.h"

#include <gtest/gtest.h>

using namespace vorlix;

TEST(NullChecks, EmptyNullAndUnconvertibleGiveDefaults)
{
    const QVariant invalid;
    const QVariant null = QVariant(QMetaType::fromType<int>());
    for (const QVariant &v : {invalid, null, QVariant(u"abc"_qs)}) {
        EXPECT_EQ(nullToFloat(v), 0.0);
        EXPECT_EQ(nullToInt(v), 0);
        EXPECT_EQ(nullToWord(v), 0);
        EXPECT_EQ(nullToLong(v), 0);
        EXPECT_FALSE(nullToBool(v));
    }
    EXPECT_EQ(nullToStr(invalid), QString());
    EXPECT_EQ(nullToStr(null), QString());
}

TEST(NullChecks, ConvertsByTheOrdinaryRules)
{
    EXPECT_EQ(nullToInt(QVariant(u"42"_qs)), 42);
    EXPECT_EQ(nullToFloat(QVariant(u"2.5"_qs)), 2.5);
    EXPECT_EQ(nullToStr(QVariant(12)), u"12"_qs);
    EXPECT_EQ(nullToWord(QVariant(70000)), 4464);
    EXPECT_EQ(nullToLong(QVariant(qint64(0x100000005LL))), 5);
    EXPECT_EQ(nullToInt(QVariant(qint64(0x100000005LL))), 0); // does not fit
    EXPECT_TRUE(nullToBool(QVariant(1)));
    EXPECT_TRUE(nullToBool(QVariant(u"true"_qs)));
    EXPECT_FALSE(nullToBool(QVariant(0)));
}
