// The layout of the dialog in the game's fonts and frames.
#include <gtest/gtest.h>

#include "context/ContextDialog.h"
#include "context/MenuCore.h"
#include "graphics/FontQuad.h"
#include "gui/MenuButton.h"
#include "gui/MenuGroup.h"
#include "text/RenderableText.h"

namespace {

class DialogLayoutTest : public testing::Test, public MenuCore {
protected:
    std::unique_ptr<ContextDialog> make(const UString& title, const UString& text, const UString& a,
                                        const UString& b)
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
    static MenuGroup* panel(ContextDialog& dialog) { return dynamic_cast<MenuGroup*>(dialog.getFirstChild()); }
    int step() const { return int(float(global->fontMedium->lineHeight) * 1.25f); }

};

} // namespace

TEST_F(DialogLayoutTest, ADefaultDialogHasOneCentredOkButton)
{
    auto dialog = make("", "Hello", "OK", "");
    ASSERT_NE(dialog->buttonA, nullptr);
    EXPECT_EQ(dialog->buttonB, nullptr);
    EXPECT_EQ(dialog->buttonA->position.x, 0.0f);
    EXPECT_EQ(dialog->buttonA->caption, "OK");
    EXPECT_EQ(dialog->buttonA->pSkin->width, 160.0f);
    EXPECT_TRUE(dialog->bSkippable);
    // A short message with a button: at least 330 + 100 wide.
    ASSERT_NE(panel(*dialog), nullptr);
    EXPECT_EQ(panel(*dialog)->pSkin->width, 430.0f);
    EXPECT_EQ(panel(*dialog)->pSkin->height, float(step() + step() + 50 + 100));
}

TEST_F(DialogLayoutTest, AnOnlySecondButtonStandsRightOfTheCentre)
{
    auto dialog = make("", "Hello", "", "No");
    EXPECT_EQ(dialog->buttonA, nullptr);
    ASSERT_NE(dialog->buttonB, nullptr);
    EXPECT_EQ(dialog->buttonB->position.x, 85.0f);
    auto two = make("", "Hello", "Yes", "No");
    EXPECT_EQ(two->buttonA->position.x, -85.0f);
    EXPECT_EQ(two->buttonB->position.x, 85.0f);
    EXPECT_EQ(two->buttonA->position.y, two->buttonB->position.y);
}

TEST_F(DialogLayoutTest, WithoutButtonsThePanelIsAtLeast292WideAndNeverNarrowerThanTall)
{
    auto dialog = make("", "Hi", "", "");
    EXPECT_EQ(panel(*dialog)->pSkin->width, 292.0f);
    auto tall = make("", "a|b|c|d|e|f|g|h|i|j", "", "");
    EXPECT_EQ(panel(*tall)->pSkin->width, panel(*tall)->pSkin->height);
    EXPECT_EQ(panel(*tall)->pSkin->height, float(10 * step() + 100));
}

TEST_F(DialogLayoutTest, ALongMessageWrapsAtThreeQuartersOfTheScreen)
{
    UString text;
    for (int i = 0; i < 40; ++i) {
        text += "word ";
    }
    auto dialog = make("Title", text, "OK", "");
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
    EXPECT_GE(panel(*dialog)->pSkin->width, widest + 100.0f);
    // The title in the large font above the lines.
    auto* title = dynamic_cast<RenderableText*>(static_cast<QelBase*>(panel(*dialog)->next));
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->font, global->fontLarge);
    EXPECT_EQ(title->text, "Title");
}

TEST_F(DialogLayoutTest, ClickingAButtonAnswersAndFinishes)
{
    push("asking");
    int answer = 7;
    auto* dialog = new ContextDialog();
    dialog->buttonAText = "Yes";
    dialog->buttonBText = "No";
    dialog->answer = &answer;
    dialog->build();
    EXPECT_EQ(answer, -1);
    manager->add(dialog);
    tick();
    dialog->buttonB->onClick();
    tick();
    EXPECT_EQ(answer, 1);
    EXPECT_TRUE(dialog->bFinished);
}
