#include "context/ContextDialog.h"

#include <gtest/gtest.h>

#include "context/MenuCore.h"

using Journal = std::vector<std::string>;

class ContextDialogTest : public testing::Test, public MenuCore {};

TEST_F(ContextDialogTest, ANewDialogHasOneOkButtonAndIsSkippable)
{
    auto* dialog = new ContextDialog();
    EXPECT_EQ(dialog->buttonAText, "OK");
    EXPECT_TRUE(dialog->buttonBText.empty());
    EXPECT_TRUE(dialog->bDeleteWhenFinished);
    EXPECT_TRUE(dialog->bEscapeCloses);
    EXPECT_FALSE(dialog->bConfirmEscape);
    EXPECT_EQ(dialog->preObject, nullptr);
    int answer = 5;
    dialog->answer = &answer;
    dialog->build();
    EXPECT_EQ(answer, -1);
    EXPECT_EQ(dialog->countButtons(), 1);
    EXPECT_TRUE(dialog->bSkippable);
    delete dialog;
}

TEST_F(ContextDialogTest, OnlyADialogWithTwoButtonsIgnoresTheSkipInputs)
{
    struct Case {
        const char* a;
        const char* b;
        int buttons;
        bool skippable;
    } cases[] = {{"Yes", "No", 2, false}, {"", "No", 1, true}, {"OK", "", 1, true}, {"", "", 0, true}};
    for (const Case& c : cases) {
        ContextDialog dialog;
        dialog.bDeleteWhenFinished = 0;
        dialog.buttonAText = c.a;
        dialog.buttonBText = c.b;
        dialog.build();
        EXPECT_EQ(dialog.countButtons(), c.buttons) << c.a << "/" << c.b;
        EXPECT_EQ(dialog.bSkippable != 0, c.skippable) << c.a << "/" << c.b;
    }
}

TEST_F(ContextDialogTest, EscapeClosesTheDialogWithTheAnswerPendingAndTheScreenBelowGoesOn)
{
    RecordingScreen* below = push("below");
    tick();
    int answer = 3;
    auto* dialog = new ContextDialog();
    dialog->buttonBText = "No";
    dialog->answer = &answer;
    dialog->build();
    manager->add(dialog);
    tick();
    const int ticksBelow = below->ticks;
    // Finished in the frame of the press, popped in the next, in which the
    // screen below is ticked again.
    tap(SDLK_ESCAPE);
    EXPECT_EQ(answer, -1);
    EXPECT_EQ(manager->getActive(), below);
    EXPECT_FALSE(below->bFinished);
    EXPECT_EQ(below->ticks, ticksBelow + 1);
}

TEST_F(ContextDialogTest, ADialogDrawsTheScreenBelowItFirst)
{
    push("below");
    auto* dialog = new ContextDialog();
    dialog->build();
    manager->add(dialog);
    tick();
    takeJournal();
    manager->draw();
    EXPECT_EQ(takeJournal(), (Journal{"below draw"}));

    // A dialog over a dialog: both show, the lower one under it.
    auto* upper = new ContextDialog();
    upper->build();
    manager->add(upper);
    tick();
    manager->draw();
    EXPECT_EQ(takeJournal(), (Journal{"below draw"}));
}

TEST_F(ContextDialogTest, ADialogWithNoScreenBelowDrawsNothingBelow)
{
    auto* dialog = new ContextDialog();
    dialog->build();
    manager->add(dialog);
    tick();
    manager->draw();
    EXPECT_EQ(manager->getActive(), dialog);
    // Outside a stack it draws only itself too.
    ContextDialog alone;
    alone.bDeleteWhenFinished = 0;
    alone.build();
    alone.draw();
}
