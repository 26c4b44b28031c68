#include "util/NullChecks.h"

#include <gtest/gtest.h>

using namespace vorlix;

TEST(NullChecks, EmptyNullAndUnconvertibleGiveDefaults)
{
    const QVariant invalid;
    const QVariant null = QVariant(QMetaType::fromType<int>());
    for (const QVariant &v : {invalid, null, QVariant(u"abc"_qs)}) {
        EXPECT_EQ(NullToFloat(v), 0.0);
        EXPECT_EQ(NullToInt(v), 0);
        EXPECT_EQ(NullToWord(v), 0);
        EXPECT_EQ(NullToLong(v), 0);
        EXPECT_FALSE(NullToBool(v));
    }
    EXPECT_EQ(NullToStr(invalid), QString());
    EXPECT_EQ(NullToStr(null), QString());
}

TEST(NullChecks, ConvertsByTheOrdinaryRules)
{
    EXPECT_EQ(NullToInt(QVariant(u"42"_qs)), 42);
    EXPECT_EQ(NullToFloat(QVariant(u"2.5"_qs)), 2.5);
    EXPECT_EQ(NullToStr(QVariant(12)), u"12"_qs);
    EXPECT_EQ(NullToWord(QVariant(70000)), 4464);
    EXPECT_EQ(NullToLong(QVariant(qint64(0x100000005LL))), 5);
    EXPECT_EQ(NullToInt(QVariant(qint64(0x100000005LL))), 0); // does not fit
    EXPECT_TRUE(NullToBool(QVariant(1)));
    EXPECT_TRUE(NullToBool(QVariant(u"true"_qs)));
    EXPECT_FALSE(NullToBool(QVariant(0)));
}
