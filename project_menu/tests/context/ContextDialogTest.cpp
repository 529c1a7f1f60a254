// The dialog: its buttons and layout in the game's fonts and frames, its
// answer, and its place on the screen stack.
#include "context/ContextDialog.h"

#include <gtest/gtest.h>

#include "context/MenuCore.h"
#include "graphics/FontQuad.h"
#include "gui/MenuButton.h"
#include "gui/MenuGroup.h"
#include "text/RenderableText.h"

using Journal = std::vector<std::string>;

namespace {

class ContextDialogTest : public testing::Test, public MenuCore {
protected:
    std::unique_ptr<ContextDialog> make(const UString& text, const UString& a, const UString& b,
                                        const UString& title = "")
    {
        auto dialog = std::make_unique<ContextDialog>();
        dialog->bDeleteWhenFinished = 0;
        dialog->title = title;
        dialog->text = text;
        dialog->buttonAText = a;
        dialog->buttonBText = b;
        dialog->build();
        return dialog;
    }
    static const Skin* panel(ContextDialog& dialog)
    {
        return dynamic_cast<MenuGroup*>(dialog.getFirstChild())->pSkin;
    }
    int step() const { return int(float(global->fontMedium->lineHeight) * 1.25f); }
};

} // namespace

TEST_F(ContextDialogTest, ANewDialogHasOneCentredOkButtonAndIsSkippable)
{
    ContextDialog dialog;
    dialog.bDeleteWhenFinished = 0;
    EXPECT_TRUE(dialog.bEscapeCloses);
    EXPECT_FALSE(dialog.bConfirmEscape);
    int answer = 5;
    dialog.answer = &answer;
    dialog.text = "Hello";
    dialog.build();
    EXPECT_EQ(answer, -1);
    ASSERT_NE(dialog.buttonA, nullptr);
    EXPECT_EQ(dialog.buttonB, nullptr);
    EXPECT_EQ(dialog.buttonA->caption, "OK");
    EXPECT_EQ(dialog.buttonA->position.x, 0.0f);
    EXPECT_EQ(dialog.buttonA->pSkin->width, 160.0f);
    EXPECT_TRUE(dialog.bSkippable);
    // A short message with a button: at least 330 + 100 wide.
    EXPECT_EQ(panel(dialog)->width, 430.0f);
    EXPECT_EQ(panel(dialog)->height, float(step() + step() + 50 + 100));
}

TEST_F(ContextDialogTest, ButtonsStandBesideTheCentreAndOnlyTwoIgnoreTheSkipInputs)
{
    struct Case {
        const char* a;
        const char* b;
        int buttons;
        bool skippable;
        float aX;
        float bX;
    } cases[] = {{"Yes", "No", 2, false, -85.0f, 85.0f}, {"", "No", 1, true, 0.0f, 85.0f},
                 {"OK", "", 1, true, 0.0f, 0.0f}, {"", "", 0, true, 0.0f, 0.0f}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.a) + "/" + c.b);
        auto dialog = make("Hello", c.a, c.b);
        EXPECT_EQ(dialog->countButtons(), c.buttons);
        EXPECT_EQ(dialog->bSkippable != 0, c.skippable);
        EXPECT_EQ(dialog->buttonA != nullptr, *c.a != 0);
        EXPECT_EQ(dialog->buttonB != nullptr, *c.b != 0);
        if (dialog->buttonA != nullptr) {
            EXPECT_EQ(dialog->buttonA->position.x, c.aX);
        }
        if (dialog->buttonB != nullptr) {
            EXPECT_EQ(dialog->buttonB->position.x, c.bX);
        }
    }
    auto two = make("Hello", "Yes", "No");
    EXPECT_EQ(two->buttonA->position.y, two->buttonB->position.y);
}

TEST_F(ContextDialogTest, ThePanelFitsTheMessageWrappedAtThreeQuartersOfTheScreen)
{
    // Without buttons at least 292 wide, and never narrower than tall.
    EXPECT_EQ(panel(*make("Hi", "", ""))->width, 292.0f);
    auto tall = make("a|b|c|d|e|f|g|h|i|j", "", "");
    EXPECT_EQ(panel(*tall)->width, panel(*tall)->height);
    EXPECT_EQ(panel(*tall)->height, float(10 * step() + 100));

    UString text;
    for (int i = 0; i < 40; ++i) {
        text += "word ";
    }
    auto dialog = make(text, "OK", "", "Title");
    int lines = 0;
    float widest = 0.0f;
    for (BasicLink* l = dialog->firstChild; l != nullptr; l = l->next) {
        auto* piece = dynamic_cast<RenderableText*>(static_cast<QelBase*>(l));
        if (piece != nullptr && piece->font == global->fontMedium) {
            ++lines;
            widest = std::max(widest, float(global->fontMedium->getTextSize(piece->text).width));
            EXPECT_EQ(piece->printFlags, 3);
            EXPECT_FALSE(piece->bShadowed);
        }
    }
    EXPECT_GT(lines, 1);
    EXPECT_LE(widest, 600.0f);
    EXPECT_GE(panel(*dialog)->width, widest + 100.0f);
    // The title in the large font above the lines.
    auto* title = dynamic_cast<RenderableText*>(static_cast<QelBase*>(dialog->getFirstChild()->next));
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->font, global->fontLarge);
    EXPECT_EQ(title->text, "Title");
}

TEST_F(ContextDialogTest, AButtonAnswersAndEscapeLeavesTheAnswerPending)
{
    RecordingScreen* below = push("below");
    tick();
    int answer = 7;
    for (bool escape : {false, true}) {
        SCOPED_TRACE(escape ? "escape" : "button");
        auto* dialog = new ContextDialog();
        dialog->buttonAText = "Yes";
        dialog->buttonBText = "No";
        dialog->answer = &answer;
        dialog->build();
        manager->add(dialog);
        tick();
        const int ticksBelow = below->ticks;
        if (escape) {
            // Finished in the frame of the press, popped in the next, in
            // which the screen below is ticked again.
            tap(SDLK_ESCAPE);
            EXPECT_EQ(answer, -1);
            EXPECT_EQ(below->ticks, ticksBelow + 1);
        } else {
            dialog->buttonB->onClick();
            tick();
            EXPECT_EQ(answer, 1);
            EXPECT_TRUE(dialog->bFinished);
            tick();
        }
        EXPECT_EQ(manager->getActive(), below);
        EXPECT_FALSE(below->bFinished);
    }
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

TEST_F(ContextDialogTest, ADialogWithNoScreenBelowDrawsOnlyItself)
{
    auto* dialog = new ContextDialog();
    dialog->build();
    manager->add(dialog);
    tick();
    manager->draw();
    EXPECT_EQ(manager->getActive(), dialog);
    ContextDialog alone;
    alone.bDeleteWhenFinished = 0;
    alone.build();
    alone.draw();
}
