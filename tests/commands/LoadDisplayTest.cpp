// "&Load Ibex Display" as the window and the CLI run it.
#include "commands/TranslateCommands.h"
#include "util/Error.h"

#include "sample/IbexDisplayBuilder.h"
#include "support/TestProject.h"

#include <gtest/gtest.h>

using namespace vorlix;
using namespace vorlix::test;
using vorlix::sample::IbexDisplayBuilder;

TEST(LoadDisplay, MissingFileKeepsTheLoadedDisplayAndUnsavedEditsAsk)
{
    TestProject tp;
    IbexDisplayBuilder b;
    b.add(ioText).caption(u"Title"_qs);
    tp.writeDisplay(u"disp0001.ibw"_qs, b.bytes());
    ASSERT_TRUE(loadDisplayCommand(tp.wb, findDisplayFile(tp.wb, u"disp0001.ibw"_qs, false)));
    ASSERT_NE(loadedTranslation(tp.wb), nullptr);

    EXPECT_THROW(loadDisplayCommand(tp.wb, findDisplayFile(tp.wb, u"disp0002.ibw"_qs, false)), Error);
    ASSERT_NE(loadedTranslation(tp.wb), nullptr);
    EXPECT_EQ(loadedTranslation(tp.wb)->displayName(), u"disp0001.ibw"_qs);

    // Unsaved edits: No keeps the display and the edits.
    overrideCommand(tp.wb, {1, OverrideAction::Text, u"Edited"_qs});
    EXPECT_TRUE(tp.wb.gridEdited);
    tp.prompter.pushYesNo(false);
    EXPECT_FALSE(loadDisplayCommand(tp.wb, findDisplayFile(tp.wb, u"disp0001.ibw"_qs, false)));
    EXPECT_TRUE(tp.wb.gridEdited);
    EXPECT_EQ(loadedTranslation(tp.wb)->cellText(1, Translation::colBtText), u"Edited"_qs);
    tp.prompter.pushYesNo(true);
    EXPECT_TRUE(loadDisplayCommand(tp.wb, findDisplayFile(tp.wb, u"disp0001.ibw"_qs, false)));
    EXPECT_FALSE(tp.wb.gridEdited);
}
