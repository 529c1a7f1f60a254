// The status panel of the web-service screens: its lines, its log and its
// fade.
#include "gui/MessageViewer.h"

#include <gtest/gtest.h>

#include <string>

#include "graphics/FontQuad.h"
#include "gui/WidgetCore.h"

namespace {

class MessageViewerTest : public testing::Test, public WidgetCore {
protected:
    std::vector<std::string> shownLines(const MessageViewer& viewer) const
    {
        return std::vector<std::string>(viewer.lines.begin(), viewer.lines.end());
    }
    size_t logCount(const std::string& line) const
    {
        const std::string log = logText();
        size_t count = 0;
        for (size_t at = log.find(line + "\n"); at != std::string::npos; at = log.find(line + "\n", at + 1)) {
            ++count;
        }
        return count;
    }
};

} // namespace

TEST_F(MessageViewerTest, KeepsTheNewestTenLinesAndLogsEveryMessageAsItIs)
{
    MessageViewer viewer;
    EXPECT_EQ(viewer.width, 790);
    EXPECT_EQ(viewer.font, global->fontMediumOutline);
    EXPECT_EQ(viewer.lineStep, -float(global->fontMediumOutline->lineHeight));
    for (int i = 1; i <= 12; ++i) {
        viewer.addMessage(formatString("Message %d", i));
    }
    ASSERT_EQ(viewer.lines.size(), 10u);
    EXPECT_EQ(viewer.lines.front(), "Message 3");
    EXPECT_EQ(viewer.lines.back(), "Message 12");
    EXPECT_EQ(logCount("addMessage(): > Message 1"), 1u);
    EXPECT_EQ(logCount("addMessage(): > Message 12"), 1u);

    // Text from outside is never a format, and an empty message is logged
    // and restarts the fade without a line.
    qel->frameTimer.currentStart = 3.0;
    viewer.addMessage("100%s %n %d done");
    viewer.addMessage("");
    EXPECT_EQ(viewer.lines.back(), "100%s %n %d done");
    EXPECT_EQ(viewer.lines.size(), 10u);
    EXPECT_EQ(viewer.lastMessageTime, 3.0);
    EXPECT_EQ(logCount("addMessage(): > 100%s %n %d done"), 1u);
    EXPECT_EQ(logCount("addMessage(): > "), 1u);
}

TEST_F(MessageViewerTest, AMessageWiderThanThePanelIsWrappedIntoLinesThatEachCount)
{
    MessageViewer viewer;
    viewer.width = 200;
    const std::string message =
        "The server answered with a long reply that cannot stand on one line of this narrow panel at all";
    viewer.addMessage(message);
    ASSERT_GT(viewer.lines.size(), 2u);
    std::string joined;
    for (const UString& line : viewer.lines) {
        EXPECT_LE(viewer.font->getTextSize(line).width, 200) << line;
        joined += (joined.empty() ? "" : " ") + line;
    }
    EXPECT_EQ(joined, message);
    viewer.maxLines = 2;
    viewer.addMessage("Done.");
    EXPECT_EQ(viewer.lines.size(), 2u);
    EXPECT_EQ(viewer.lines.back(), "Done.");

    // Style markers from outside are shown as plain text, readable markup
    // or not.
    viewer.width = 790;
    viewer.addMessage("Reply \x1E{ZZZZZZ} and \x1E{FF0000}red\x1E");
    EXPECT_EQ(shownLines(viewer), (std::vector<std::string>{"Done.", "Reply {ZZZZZZ} and {FF0000}red"}));
    EXPECT_EQ(logCount("addMessage(): > Reply \x1E{ZZZZZZ} and \x1E{FF0000}red\x1E"), 1u);
}

TEST_F(MessageViewerTest, FadesOutOverTheLastSecondBeforeItsFadeTime)
{
    auto* viewer = new MessageViewer();
    viewer->addMessage("Connected.");
    screenWith({viewer});
    EXPECT_EQ(viewer->alpha, 1.0f) << "without a fade time it never fades";
    viewer->fadeTime = 5.0;
    qel->frameTimer.currentStart = 10.0;
    viewer->addMessage("Done.");
    const struct {
        double now;
        float alpha;
    } fade[] = {{10.0, 1.0f}, {14.0, 1.0f}, {14.5, 0.5f}, {14.75, 0.25f}, {15.0, 0.0f}, {20.0, 0.0f}};
    for (const auto& f : fade) {
        qel->frameTimer.currentStart = f.now;
        qel->frameTimer.previousStart = f.now;
        tick();
        EXPECT_FLOAT_EQ(viewer->alpha, f.alpha) << f.now;
    }
    // Faded out, it draws nothing.
    const std::vector<u32> gone = drawnPixels(-100.0f, -20.0f, 100.0f, 20.0f);
    viewer->bHidden = true;
    EXPECT_EQ(drawnPixels(-100.0f, -20.0f, 100.0f, 20.0f), gone);
    viewer->bHidden = false;
    viewer->fadeTime = 0.0;
    tick();
    EXPECT_NE(drawnPixels(-100.0f, -20.0f, 100.0f, 20.0f), gone);
}
