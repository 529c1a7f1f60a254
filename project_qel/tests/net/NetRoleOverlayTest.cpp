// The replication role's statistics overlay in the real engine: its window,
// frames and developer console, a server and a client trading payloads,
// the text in a font of the data pack. The picture is left in the build
// folder.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <SDL.h>

#include <algorithm>
#include <filesystem>
#include <memory>

#include "engine/Console.h"
#include "engine/Context.h"
#include "engine/Qel.h"
#include "file/FileManager.h"
#include "graphics/FontQuad.h"
#include "graphics/FontQuadCacheEntry.h"
#include "graphics/MemoryImageFile.h"
#include "graphics/QelGraphics.h"
#include "graphics/Texture.h"
#include "support/DeviceCore.h"
#include "support/RenderCore.h"
#include "support/RoleCore.h"

namespace {

u32 overlayTicks = 1000;

// Ticks both roles and makes the server's calls each frame; draws the
// server's statistics at the window's top left.
class RoleScreen : public Context {
public:
    RoleScreen(TestRole* serverRole, TestRole* clientRole, RolePiece* piece, FontQuad* statisticsFont)
        : server(serverRole), client(clientRole), target(piece), font(statisticsFont)
    {
    }
    void tick(double, double) override
    {
        asRole(server, [&] {
            target->netSetStateRaw(target->state + 1);
            RPC_RolePiece_draw draw;
            draw.argument = 1;
            makeCall(target, draw);
            makeCall(target, draw);
        });
        server->update(0.0, 0.0);
        client->update(0.0, 0.0);
    }
    void renderContents() override
    {
        server->drawStatistics(-390.0f, 300.0f, 0.0f, font);
        if (bGrab) {
            bool ok = false;
            picture.reset(g_qel->graphics->grabFrame(&ok));
            bGrab = false;
        }
    }

    TestRole* server;
    TestRole* client;
    RolePiece* target;
    FontQuad* font;
    bool bGrab = false;
    std::unique_ptr<MemoryImageFile> picture;
};

class RoleOverlay : public testing::Test {
protected:
    RoleOverlay()
    {
        overlayTicks = 1000;
        setTickSource([] { return overlayTicks; });
        setSleeper([](u32 milliseconds) { overlayTicks += milliseconds; });
        DeviceCore::ignoreLeaksOfTheDisplayDriver();
        TempFolder::writeFile("Vabodemo.cfg.static",
                              "[Language]\nbMultilanguage=Yes\nsingleLanguage=0\n[Edition]\nbHoliday=No\n"
                              "[Graphics]\nditherDepth=0\n[Input]\nhardwareMouseScaling=1.0\n");
        std::filesystem::create_directories(folder.userFolder());
        TempFolder::writeFile(folder.userFolder() + "Vabodemo.cfg",
                              "[QelGraphics]\nbFullScreen=No\n[QelInput]\nbTrackMouse=No\nbTrackJoystick=No\n");
        qel = new Qel();
        RuntimeClassManager::getInstance()->buildClassArray();
        qel->fileManager->useWad(UString(VABO_DATA_PACK));
        sheet = std::make_unique<Texture>(UString("gfx/font/font-small.tga"), 10);
        font = std::make_unique<FontQuad>();
        font->addSourceTexture(sheet.get(), 33);
    }
    ~RoleOverlay() override
    {
        screen.reset();
        client.reset();
        server.reset();
        font.reset();
        sheet.reset();
        delete qel;
        setTickSource(nullptr);
        setSleeper(nullptr);
    }

    void key(int symbol, bool down, int unicode = 0)
    {
        SDL_Event event{};
        event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
        event.key.keysym.sym = static_cast<SDLKey>(symbol);
        event.key.keysym.unicode = static_cast<Uint16>(unicode);
        qel->sdlOnEvent(&event);
    }
    void toggleConsole()
    {
        key(SDLK_LSHIFT, true);
        key(SDLK_BACKQUOTE, true);
        qel->frame(screen.get());
        key(SDLK_BACKQUOTE, false);
        key(SDLK_LSHIFT, false);
        qel->frame(screen.get());
    }
    void type(const std::string& text)
    {
        for (char c : text) {
            int symbol = c == '\r' ? static_cast<int>(SDLK_RETURN) : c;
            key(symbol, true, c);
            qel->frame(screen.get());
            key(symbol, false);
            qel->frame(screen.get());
        }
    }
    // Lit pixels in the window's rectangle of world coordinates.
    int inkIn(float x0, float y0, float x1, float y1)
    {
        screen->bGrab = true;
        qel->frame(screen.get());
        const MemoryImageFile& image = *screen->picture;
        int ink = 0;
        for (int y = static_cast<int>(300 - y1); y < static_cast<int>(300 - y0); ++y) {
            for (int x = static_cast<int>(x0 + 400); x < static_cast<int>(x1 + 400); ++x) {
                ink += (image.pImageData[static_cast<size_t>(y) * image.width + x] & 0xFFFFFF) != 0 ? 1 : 0;
            }
        }
        return ink;
    }

    TempFolder folder;
    Qel* qel = nullptr;
    std::unique_ptr<Texture> sheet;
    std::unique_ptr<FontQuad> font;
    std::unique_ptr<TestRole> server;
    std::unique_ptr<TestRole> client;
    std::unique_ptr<RoleScreen> screen;
};

} // namespace

TEST_F(RoleOverlay, DebugBitShowsTheStatisticsOfAConnectedServer)
{
    server = std::make_unique<TestRole>(true);
    client = std::make_unique<TestRole>(false);
    auto* root = new RootObjectBase();
    auto* piece = new RolePiece();
    server->registerObject(root, 1);
    server->registerObject(piece, 0);
    root->addChildBack(piece);
    NetRole::makeCurrent(nullptr);
    screen = std::make_unique<RoleScreen>(server.get(), client.get(), piece, font.get());
    screen->clearColor = UColor(0, 0, 0, 255);
    client->sendConnect(server->connection->address);
    for (int i = 0; i < 200 && client->connects == 0; ++i) {
        qel->frame(screen.get());
    }
    ASSERT_EQ(client->connects, 1);
    for (int i = 0; i < 150; ++i) {
        qel->frame(screen.get());
    }

    // With the bit clear nothing is drawn.
    EXPECT_EQ(inkIn(-400, -300, 400, 300), 0);

    toggleConsole();
    ASSERT_TRUE(qel->console->bShown);
    type("debug 512\r");
    EXPECT_EQ(qel->debugLevel, 512);
    toggleConsole();
    for (int i = 0; i < 60; ++i) {
        qel->frame(screen.get());
    }
    // Text down the left side, and the three graphs at the bottom.
    EXPECT_GT(inkIn(-390, 0, -100, 290), 2000);
    EXPECT_GT(inkIn(-392, -300, -290, -248), 100);
    EXPECT_GT(inkIn(-292, -300, -190, -248), 100);
    // The lines of the last frame, as the font's glyph string cache holds
    // them.
    int last = -1;
    for (BasicLink* link = font->cacheEntries.firstChild; link != nullptr; link = link->next) {
        last = std::max(last, static_cast<FontQuadCacheEntry*>(link)->lastUsedFrame);
    }
    std::vector<std::string> lines;
    for (BasicLink* link = font->cacheEntries.firstChild; link != nullptr; link = link->next) {
        auto* entry = static_cast<FontQuadCacheEntry*>(link);
        if (entry->lastUsedFrame == last) {
            lines.push_back(entry->text);
        }
    }
    const char* const expected[] = {
        "hostUID: [0-9a-f]{8}",
        "STATS \\(in/out\\)",
        "packets: [ 0-9]{8} [ 0-9]{8}",
        "bytes:   [ 0-9]{8} [ 0-9]{8}",
        "packetsLost: 0",
        "resendRequests: [0-9]+",
        "resends: [0-9]+",
        "outOfOrder: [0-9]+",
        "STATE: 0",
        "--- SERVER objectMap \\(2\\) ---",
        "--- PACKET CONTENTS ---",
        "SPAWNOBJ: 0 ",
        "SPAWNNAMED: [0-9]+ ",
        "COPYOBJ: [0-9]+ ",
        "RPC: [1-9][0-9]* ",
        "  -- inQsimulated 0",
        "--- 1 NODES ---",
        "nodeUID: [0-9a-f]{8} \\(.*",
        "  -- sequenceIn [0-9]+",
        "  -- outQunacked [0-9]+",
        "  -- inQarrived 0",
        "  -- inQcontiguous 0",
        "  -- inQready 0",
        "OUTGOING RPCs",
        "[1-9][0-9]* x RPC_RolePiece_draw",
        "[1-9][0-9]* x _[0-9a-f]{8}",
    };
    for (const char* pattern : expected) {
        EXPECT_THAT(lines, testing::Contains(testing::MatchesRegex(pattern)));
    }
    const MemoryImageFile& image = *screen->picture;
    RenderCore::writeTga(VABO_ROLE_OVERLAY, image.width, image.height, [&](int x, int y) {
        // Rows from the bottom, as the file format stores them.
        const size_t row = static_cast<size_t>(image.height - 1 - y);
        return UColor::fromWord(image.pImageData[row * image.width + x] | 0xff000000u);
    });
}
