// The mascot and his page: the blink and the wave, the page's lines and
// bubble as laid out in the game's fonts, where the bubble goes, the
// picture line, the three ways to close the page with the one "pop", and
// a page over the live game with its check box (left as bear-dialog.tga).
#include <gtest/gtest.h>

#include <SDL.h>

#include <cmath>
#include <vector>

#include "effects/BendQuad.h"
#include "game/ScreenStack.h"
#include "game/mascot/Bear.h"
#include "game/mascot/BearDialog.h"
#include "game/tutorial/MenuBoolSpeech.h"
#include "game/tutorial/SpeechArrow.h"
#include "game/tutorial/SpeechBubble.h"
#include "graphics/FontQuad.h"
#include "global/UserFiles.h"
#include "graphics/Skin.h"
#include "gui/MenuButton.h"
#include "language/Language.h"
#include "support/ScriptedRandom.h"
#include "system/StringUtils.h"
#include "text/RenderableText.h"

namespace {

class Mascot : public testing::Test, public ScreenStack {
protected:
    template <class T>
    static std::vector<T*> childrenOf(QelBase* parent)
    {
        std::vector<T*> found;
        for (BasicLink* l = parent->firstChild; l != nullptr; l = l->next) {
            if (auto* object = dynamic_cast<T*>(static_cast<QelBase*>(l))) {
                found.push_back(object);
            }
        }
        return found;
    }
    std::vector<RenderableText*> bodyLines(BearDialog& dialog)
    {
        std::vector<RenderableText*> lines;
        for (RenderableText* text : childrenOf<RenderableText>(&dialog)) {
            if (text->font == global->fontMedium) {
                lines.push_back(text);
            }
        }
        return lines;
    }
    static const Skin* bubbleOf(BearDialog& dialog) { return childrenOf<SpeechBubble>(&dialog).at(0)->pSkin; }
    Skin* frame(const char* name) { return static_cast<Skin*>(qel->resourceManager->find(name, true)); }
    int step() const { return int(float(global->fontMedium->lineHeight) * 1.25f); }
};

} // namespace

TEST_F(Mascot, TheBearBlinksAtRandomAndWavesOnTheScreensClock)
{
    // Open for 0.2 + 1.8 r seconds, shut for 0.1 s.
    ScriptedRandom script{ScriptedRandom::ofFraction(0.5), ScriptedRandom::ofFraction(0.0),
                          ScriptedRandom::ofFraction(0.0)};
    Bear bear;
    EXPECT_EQ(bear.getFirstChild(), bear.pHand);
    EXPECT_EQ(bear.lastChild, bear.pFace);
    EXPECT_EQ(bear.pHand->pSkin, frame("bearHand:bend"));
    EXPECT_FLOAT_EQ(bear.pHand->position.x, 400.0f - 75.0f);
    EXPECT_FLOAT_EQ(bear.pHand->position.y, 55.0f - 300.0f);
    std::vector<std::pair<double, Skin*>> faces = {{0.0, bear.pFace->pSkin}};
    double t = 0.0;
    for (int i = 0; i < 160; ++i) {
        t += 0.01;
        bear.update(t, 0.01);
        if (faces.back().second != bear.pFace->pSkin) {
            faces.emplace_back(t, bear.pFace->pSkin);
        }
        EXPECT_NEAR(static_cast<BendQuad*>(bear.pHand->pSkin)->bend, 0.5 * std::sin(4.0 * t), 1e-3);
    }
    // Shut after 1.1 s, open again 0.1 s later for 0.2 s.
    const std::vector<std::pair<double, Skin*>> expected = {
        {0.0, frame("bear:1")}, {1.1, frame("bear:2")}, {1.2, frame("bear:1")}, {1.4, frame("bear:2")},
        {1.5, frame("bear:1")}};
    ASSERT_EQ(faces.size(), expected.size());
    for (size_t i = 0; i < faces.size(); ++i) {
        // Each change may come up to a step late.
        EXPECT_NEAR(faces[i].first, expected[i].first, 0.01 * double(i) + 0.005) << i;
        EXPECT_EQ(faces[i].second, expected[i].second) << i;
    }
    EXPECT_EQ(script.left(), 0);
}

TEST_F(Mascot, ThePageLaysItsLinesOutInStepsAndTheBubbleFitsThem)
{
    BearDialog page;
    page.title = qel->language->getText(Language::NEWWORLD);
    page.text = formatString(qel->language->getText(Language::NEWWORLDTEXT), "Marrowdale");
    page.layoutText();
    EXPECT_TRUE(page.text.empty());
    const auto lines = bodyLines(page);
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[1]->text, "Marrowdale");
    EXPECT_EQ(lines[2]->text, "") << "the empty line between";
    for (size_t i = 1; i < lines.size(); ++i) {
        EXPECT_FLOAT_EQ(lines[i - 1]->position.y - lines[i]->position.y, float(step())) << "an empty line too";
    }
    EXPECT_EQ(lines[0]->color, UColor(96, 109, 128, 255));
    EXPECT_NE(dynamic_cast<Bear*>(page.getFirstChild()), nullptr) << "the bear first";
    auto* ok = childrenOf<MenuButtonQuit>(&page).at(0);
    EXPECT_EQ(ok->shortcut, ' ');
    EXPECT_EQ(ok->pSkin->width, 40.0f);
    EXPECT_TRUE(childrenOf<MenuBoolSpeech>(&page).empty()) << "no check box outside a level";

    // The bubble: 50 around the text area, never narrower than tall; it
    // stays left of the bear unless the view's left edge stops it.
    enum Check { CENTRE_STAYS, BESIDE_THE_BEAR, SQUARE, LEFT_EDGE };
    struct Case {
        const char* text;
        float at;
        float pictureHeight;
        Check check;
    };
    const float bear = frame("bear:0")->width;
    // A text area 1000 units wide: a picture line of 1000 units all told.
    const float tall = (1000.0f - float(step())) / 1.25f;
    const Case cases[] = {
        {"a", 0.0f, 0.0f, CENTRE_STAYS},
        {"a", 300.0f, 0.0f, BESIDE_THE_BEAR},
        {"||||||||||||||||||||", 0.0f, 0.0f, SQUARE},
        {"~", 0.0f, tall, LEFT_EDGE},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        Skin picture;
        picture.height = c.pictureHeight;
        BearDialog bubble;
        bubble.text = c.text;
        bubble.bOkButton = false;
        bubble.position.x = c.at;
        bubble.pPicture = c.pictureHeight > 0.0f ? &picture : nullptr;
        bubble.layoutText();
        const Skin* frame = bubbleOf(bubble);
        EXPECT_GE(frame->width, frame->height);
        EXPECT_EQ(static_cast<QelBase*>(bubble.getChild(1)), childrenOf<SpeechBubble>(&bubble).at(0));
        EXPECT_EQ(childrenOf<SpeechBubble>(&bubble).at(0)->position, bubble.position);
        switch (c.check) {
        case CENTRE_STAYS:
            EXPECT_FLOAT_EQ(bubble.position.x, 0.0f);
            EXPECT_FLOAT_EQ(frame->width, 192.0f + 50.0f);
            break;
        case BESIDE_THE_BEAR:
            EXPECT_FLOAT_EQ(bubble.position.x + (frame->width - 50.0f) / 2, 400.0f - bear);
            break;
        case SQUARE:
            EXPECT_FLOAT_EQ(frame->width, frame->height);
            EXPECT_FLOAT_EQ(frame->height, float(21 * step()) + 50.0f);
            break;
        case LEFT_EDGE:
            EXPECT_NEAR(frame->width, 1000.0f + 50.0f, 1e-3f);
            EXPECT_NEAR(bubble.position.x, 125.0f, 1e-3f) << "even over the bear";
            break;
        }
    }
}

TEST_F(Mascot, APictureTakesTheTildeLineAndWithoutOneTheLineIsLeftOut)
{
    Skin* howTo = frame("howToPlay:0");
    for (bool withPicture : {true, false}) {
        SCOPED_TRACE(withPicture);
        BearDialog page;
        page.text = "above|~|below";
        page.bOkButton = false;
        page.pPicture = withPicture ? howTo : nullptr;
        page.layoutText();
        const auto lines = bodyLines(page);
        ASSERT_EQ(lines.size(), 2u);
        EXPECT_EQ(lines[0]->text, "above");
        EXPECT_EQ(lines[1]->text, "below");
        std::vector<Renderable*> pictures;
        for (Renderable* r : childrenOf<Renderable>(&page)) {
            if (r->pSkin == howTo) {
                pictures.push_back(r);
            }
        }
        EXPECT_EQ(pictures.size(), withPicture ? 1u : 0u);
        const float gap = lines[0]->position.y - lines[1]->position.y;
        if (withPicture) {
            EXPECT_FLOAT_EQ(gap, float(2 * step()) + howTo->height * 1.25f);
            EXPECT_LT(pictures[0]->position.y, lines[0]->position.y);
            EXPECT_GT(pictures[0]->position.y, lines[1]->position.y);
            EXPECT_FLOAT_EQ(bubbleOf(page)->height, howTo->height * 1.25f + float(3 * step()) + 50.0f);
        } else {
            EXPECT_FLOAT_EQ(gap, float(step()));
            EXPECT_FLOAT_EQ(bubbleOf(page)->width, 192.0f + 50.0f) << "two short lines";
        }
    }
}

TEST_F(Mascot, SpaceTheOkButtonAndEscapeEachCloseThePageWhichPopsOnce)
{
    auto* below = new Context();
    below->bDeleteWhenFinished = 1;
    manager->add(below);
    tick();
    enum Way { SPACE, OK, ESCAPE };
    for (Way way : {SPACE, OK, ESCAPE}) {
        SCOPED_TRACE(int(way));
        auto* page = new BearDialog();
        page->text = "Hello";
        page->layoutText();
        manager->add(page);
        const int voices = voicesStarted();
        tick();
        EXPECT_EQ(manager->getActive(), page);
        EXPECT_EQ(voicesStarted(), voices + 1) << "pop";
        if (way == ESCAPE) {
            // Covered and shown again: no second pop.
            auto* over = new Context();
            over->bDeleteWhenFinished = 1;
            manager->add(over);
            tick();
            over->bFinished = 1;
            tick();
            EXPECT_EQ(manager->getActive(), page);
            EXPECT_EQ(voicesStarted(), voices + 1);
        }
        switch (way) {
        case SPACE:
            tap(SDLK_SPACE, ' ');
            break;
        case OK: {
            const V3 at = childrenOf<MenuButtonQuit>(page).at(0)->position;
            click(at.x, at.y);
            break;
        }
        case ESCAPE:
            tap(SDLK_ESCAPE);
            break;
        }
        tick();
        EXPECT_EQ(manager->getActive(), below);
    }
}

TEST_F(Mascot, OverTheLiveGameThePageShowsTheGameAndACheckBoxForTheHelp)
{
    startGame();
    game->sceneLayer->clearColor = UColor(118, 186, 104, 255);
    SpeechArrow* arrow = game->tutorialArrow;
    arrow->setText(qel->language->getText(Language::TUTORIALLMB));
    arrow->setTarget(-330.0f, -240.0f, 0.0f);

    auto* page = new BearDialog();
    page->bInGame = true;
    page->title = "Level 1-1";
    page->text = "Fill every car|with cargo of its colour.|~|Click a car to send it.";
    page->pPicture = frame("howToPlay:0");
    page->position = V3(-60.0f, 40.0f, 0.0f);
    page->layoutText();
    auto* box = childrenOf<MenuBoolSpeech>(page).at(0);
    EXPECT_EQ(box->pValue, &global->settings.tutorial);
    EXPECT_EQ(box->label, qel->language->getText(Language::SHOWHELPMESSAGES));
    const Skin* bubble = bubbleOf(*page);
    EXPECT_FLOAT_EQ(box->position.x, page->position.x - (bubble->width - 50.0f) / 2 + 16.0f);
    EXPECT_FLOAT_EQ(box->position.y, page->position.y - (bubble->height - 50.0f) / 2 + 16.0f);
    manager->add(page);
    global->settings.tutorial = true;
    for (int i = 0; i < 40; ++i) {
        tick();
    }
    screenshot("bear-dialog.tga");

    // Unticking the box turns the help off at once; the record is written
    // when the page closes.
    global->settings.save();
    click(box->position.x, box->position.y);
    EXPECT_FALSE(global->settings.tutorial);
    EXPECT_EQ(manager->getActive(), page);
    EXPECT_FALSE(isOnDisk(global->settings)) << "not on the click";
    tap(SDLK_ESCAPE);
    tick();
    EXPECT_NE(manager->getActive(), page);
    EXPECT_TRUE(isOnDisk(global->settings));
}
