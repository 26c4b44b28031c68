// An override write the project database refuses: the grid row keeps what
// it showed, nothing is stored, the grid is not marked edited, nothing is
// logged, and the user is told.
#include "commands/TranslateCommands.h"
#include "util/Error.h"

#include "sample/IbexDisplayBuilder.h"
#include "support/TestProject.h"

#include <gtest/gtest.h>

using namespace vorlix;
using namespace vorlix::test;
using vorlix::sample::IbexDisplayBuilder;

namespace {

class RefusedOverride : public ::testing::Test {
protected:
    RefusedOverride()
    {
        IbexDisplayBuilder b;
        b.add(ioText).caption(u"Title"_qs);
        b.add(ioCheckbox).point(1, 0xD00005).caption(u"Enable"_qs);
        tp.writeDisplay(u"disp0001.ibw"_qs, b.bytes());
        loadDisplayCommand(tp.wb, findDisplayFile(tp.wb, u"disp0001.ibw"_qs, false));
        t = loadedTranslation(tp.wb);
    }
    void refuse(const char *what)
    {
        tp.exec(QStringLiteral("CREATE TRIGGER Refuse %1 ON Overrides BEGIN SELECT RAISE(ABORT, 'refused'); END")
                    .arg(QLatin1String(what)));
    }
    // Runs the command; the message it failed with.
    QString refused(const OverrideRequest &r)
    {
        try {
            overrideCommand(tp.wb, r);
        } catch (const Error &e) {
            return e.message();
        }
        return u"(done)"_qs;
    }
    QStringList overrides()
    {
        return tp.rows(u"SELECT Object, IsPoint, Override FROM Overrides ORDER BY Object, IsPoint"_qs);
    }

    TestProject tp;
    Translation *t = nullptr;
};

} // namespace

TEST_F(RefusedOverride, ANewOverrideLeavesTheRowAsItWas)
{
    ASSERT_NE(t, nullptr);
    refuse("BEFORE INSERT");
    const ObjOverride checkbox = t->rows()[2].ovr;
    for (const OverrideRequest &r : {OverrideRequest{1, OverrideAction::Text, u"Edited"_qs},
                                     OverrideRequest{2, OverrideAction::Point, u"1200:BV-1"_qs},
                                     OverrideRequest{2, OverrideAction::Skip, {}}}) {
        SCOPED_TRACE(r.object);
        EXPECT_EQ(refused(r), u"Could not set value in database!"_qs);
    }
    EXPECT_EQ(t->cellText(1, Translation::colBtText), u"Title"_qs);
    EXPECT_EQ(t->rows()[1].ovr, ObjOverride::None);
    EXPECT_EQ(t->rows()[2].ovr, checkbox);
    EXPECT_TRUE(overrides().isEmpty());
    EXPECT_FALSE(tp.wb.gridEdited);
    EXPECT_TRUE(tp.wb.log.lines().filter(u"Override of"_qs).isEmpty());
}

TEST_F(RefusedOverride, AResetKeepsBothOverridesOrNeither)
{
    ASSERT_NE(t, nullptr);
    overrideCommand(tp.wb, {2, OverrideAction::Text, u"On"_qs});
    overrideCommand(tp.wb, {2, OverrideAction::Point, u"1200:BV-1"_qs});
    tp.wb.gridEdited = false;
    const QStringList stored = overrides();
    ASSERT_EQ(stored, (QStringList{u"2,0,On"_qs, u"2,1,1200:BV-1"_qs}));
    // The point's row may not go: the text's, deleted first, stays too.
    tp.exec(u"CREATE TRIGGER Refuse BEFORE DELETE ON Overrides WHEN OLD.IsPoint = 1 "
            "BEGIN SELECT RAISE(ABORT, 'refused'); END"_qs);
    const TranslationRow before = t->rows()[2];
    EXPECT_EQ(refused({2, OverrideAction::Reset, {}}), u"Could not set value in database!"_qs);
    EXPECT_EQ(refused({2, OverrideAction::ResetPoint, {}}), u"Could not set value in database!"_qs);
    EXPECT_EQ(overrides(), stored);
    EXPECT_EQ(t->cellText(2, Translation::colBtText), before.btText);
    EXPECT_EQ(t->cellText(2, Translation::colBtPoint), before.btPoint);
    EXPECT_EQ(t->rows()[2].ovr, ObjOverride::TextAndPoint);
    EXPECT_FALSE(tp.wb.gridEdited);
    // The text's alone may go.
    overrideCommand(tp.wb, {2, OverrideAction::ResetText, {}});
    EXPECT_EQ(overrides(), QStringList{u"2,1,1200:BV-1"_qs});
    EXPECT_EQ(t->rows()[2].ovr, ObjOverride::Point);
    EXPECT_EQ(tp.wb.log.lines().filter(u"Override of disp0001.ibw object 2: text override reset"_qs).size(), 1);
}
