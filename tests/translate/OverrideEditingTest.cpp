// The override dialog's rules: splitting and joining point overrides, and
// what OK accepts.
#include "translate/OverrideEditing.h"

#include "support/TestProject.h"

#include <gtest/gtest.h>

using namespace vorlix;

TEST(OverrideEditing, SplitsAndJoinsPointOverrides)
{
    const PointEdit withDevice = PointEdit::split(u"1200:BO-4-P104"_qs);
    EXPECT_FALSE(withDevice.currentDevice);
    EXPECT_EQ(withDevice.device, 1200);
    EXPECT_EQ(withDevice.point, u"BO-4-P104"_qs);
    EXPECT_EQ(withDevice.joined(), u"1200:BO-4-P104"_qs);

    const PointEdit current = PointEdit::split(u"AV-32"_qs);
    EXPECT_TRUE(current.currentDevice);
    EXPECT_EQ(current.device, PointEdit::DefaultDevice);
    EXPECT_EQ(current.joined(), u"AV-32"_qs);

    // An emptied point: the device alone, or nothing for the current device.
    PointEdit empty = withDevice;
    empty.point.clear();
    EXPECT_TRUE(empty.acceptable());
    EXPECT_EQ(empty.joined(), u"1200:"_qs);
    empty.currentDevice = true;
    EXPECT_EQ(empty.joined(), QString());

    // The device box's range bounds what it shows.
    EXPECT_EQ(PointEdit::split(u"99999999:AV-1"_qs).device, PointEdit::MaxDevice);
    EXPECT_EQ(PointEdit::split(u"x:AV-1"_qs).device, 0);
}

TEST(OverrideEditing, AcceptsValidOrEmptyPointsOnly)
{
    PointEdit e;
    for (const QString &ok : {u"BO-4-P104"_qs, u"AV-1-P87[3]"_qs, u"object-name"_qs, u""_qs}) {
        e.point = ok;
        EXPECT_TRUE(e.acceptable()) << ok.toStdString();
    }
    for (const QString &bad : {u"XV-3"_qs, u"AV-"_qs, u"err"_qs}) {
        e.point = bad;
        EXPECT_FALSE(e.acceptable()) << bad.toStdString();
    }
    const QStringList templates = pointTemplates();
    ASSERT_EQ(templates.size(), 17);
    EXPECT_EQ(templates.first(), u"object-name"_qs);
    EXPECT_EQ(templates.at(5), u"AO-nn-P87[n]"_qs);
    EXPECT_EQ(templates.last(), u"BV-nn-P104"_qs);
}
