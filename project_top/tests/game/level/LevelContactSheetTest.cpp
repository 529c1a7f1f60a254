// Every level number and every other level class drawn in the window once
// its first train is on screen and again once its front has gone into the
// tunnel, each frame saved as the screenshot key saves it, and laid on two
// contact sheets in the build folder (levels-contact-sheet.png,
// levels-tunnels-contact-sheet.png), to be looked at: rails under every car,
// trains going into tunnels and under bridges, decorations over the cars,
// the picture reaching the top of the view, the last level turned over.
#include <gtest/gtest.h>
#include <zlib.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "game/LiveChildren.h"
#include "game/ScreenStack.h"
#include "game/level/LevelClassesInPlay.h"
#include "game/mascot/BearDialog.h"
#include "game/track/Track.h"
#include "game/train/Train.h"
#include "game/world/WorldManager.h"
#include "global/Profile.h"
#include "graphics/MemoryImageFile.h"

namespace {

struct Shot {
    std::string name;
    int number;
    Level* (*make)();
};

// RGB rows, top first.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<u8> rgb;
};

void appendChunk(std::string& png, const char* type, const std::string& data)
{
    const u32 length = u32(data.size());
    for (int shift = 24; shift >= 0; shift -= 8) {
        png += char((length >> shift) & 0xff);
    }
    const std::string body = std::string(type, 4) + data;
    png += body;
    const u32 crc = u32(crc32(0, reinterpret_cast<const Bytef*>(body.data()), uInt(body.size())));
    for (int shift = 24; shift >= 0; shift -= 8) {
        png += char((crc >> shift) & 0xff);
    }
}

bool writePng(const std::string& path, const Picture& picture)
{
    std::string raw;
    for (int y = 0; y < picture.height; ++y) {
        raw += '\0';
        raw.append(reinterpret_cast<const char*>(&picture.rgb[size_t(y) * size_t(picture.width) * 3]),
                   size_t(picture.width) * 3);
    }
    uLongf packedSize = compressBound(uLong(raw.size()));
    std::string packed(packedSize, '\0');
    if (compress2(reinterpret_cast<Bytef*>(packed.data()), &packedSize, reinterpret_cast<const Bytef*>(raw.data()),
                  uLong(raw.size()), 6) != Z_OK) {
        return false;
    }
    packed.resize(packedSize);
    std::string header;
    for (u32 value : {u32(picture.width), u32(picture.height)}) {
        for (int shift = 24; shift >= 0; shift -= 8) {
            header += char((value >> shift) & 0xff);
        }
    }
    header += std::string("\x08\x02\x00\x00\x00", 5);
    std::string png = "\x89PNG\r\n\x1a\n";
    appendChunk(png, "IHDR", header);
    appendChunk(png, "IDAT", packed);
    appendChunk(png, "IEND", "");
    TempFolder::writeFile(path, png);
    return true;
}

// The frame scaled down by `shrink` onto the sheet at (left, top).
void lay(Picture& sheet, const MemoryImageFile& frame, int left, int top, int shrink)
{
    for (int y = 0; y + shrink <= frame.height; y += shrink) {
        for (int x = 0; x + shrink <= frame.width; x += shrink) {
            int sum[3] = {};
            for (int dy = 0; dy < shrink; ++dy) {
                for (int dx = 0; dx < shrink; ++dx) {
                    const UColor c =
                        UColor::fromWord(frame.pImageData[size_t(y + dy) * size_t(frame.width) + size_t(x + dx)]);
                    sum[0] += c.r;
                    sum[1] += c.g;
                    sum[2] += c.b;
                }
            }
            const int px = left + x / shrink;
            const int py = top + y / shrink;
            if (px < sheet.width && py < sheet.height) {
                u8* out = &sheet.rgb[(size_t(py) * size_t(sheet.width) + size_t(px)) * 3];
                for (int k = 0; k < 3; ++k) {
                    out[k] = u8(sum[k] / (shrink * shrink));
                }
            }
        }
    }
}

} // namespace

TEST(LevelContactSheet, EveryLevelAndClassWithItsFirstTrainOnScreen)
{
    std::vector<Shot> shots;
    for (int number = 0; number <= 12; ++number) {
        shots.push_back({"level" + std::to_string(number), number, nullptr});
    }
    for (const char* id : {"A3", "A4", "A6", "A9", "A10", "A11", "C1", "C2", "L1"}) {
        shots.push_back({id, 12, levelClassMaker(id)});
    }

    constexpr int SHRINK = 2;
    constexpr int COLUMNS = 5;
    constexpr int GAP = 4;
    const std::string buildFolder = std::string(VABO_GAME_DIR) + "/../";
    ScreenStack stack;
    const int tileWidth = stack.graphics->screenWidth / SHRINK;
    const int tileHeight = stack.graphics->screenHeight / SHRINK;
    const int rows = (int(shots.size()) + COLUMNS - 1) / COLUMNS;
    // The first sheet once the first train is in, the second once its
    // front has gone into the tunnel.
    Picture sheets[2];
    for (Picture& sheet : sheets) {
        sheet.width = COLUMNS * (tileWidth + GAP) - GAP;
        sheet.height = rows * (tileHeight + GAP) - GAP;
        sheet.rgb.assign(size_t(sheet.width) * size_t(sheet.height) * 3, 40);
    }
    const char* kinds[2] = {"", "-tunnel"};

    for (size_t i = 0; i < shots.size(); ++i) {
        const Shot& shot = shots[i];
        SCOPED_TRACE(shot.name);
        WorldManager::currentProfile().level = shot.number;
        GameController* game = stack.startGame();
        game->levelSource = levelSourceFor(shot.make);
        stack.manager->add(game);
        game->start();
        // Frames until the front of the first train passes the mark, at
        // most a minute and a half of them.
        Train* first = nullptr;
        Track* firstTrack = nullptr;
        auto until = [&](float past, float beyond) {
            for (int frame = 0; frame < 6000; ++frame) {
                stack.tick(1.0 / 60.0);
                // A level's page is closed with Space, as a player does.
                if (dynamic_cast<BearDialog*>(stack.manager->getActive()) != nullptr) {
                    stack.tap(SDLK_SPACE, ' ');
                }
                if (first == nullptr && game->state == GameController::STATE_PLAYING) {
                    forEachLive<Track>(*game->level->trackLayer, [&](Track* track) {
                        Train* train = firstLive<Train>(*track->trains);
                        if (first == nullptr && train != nullptr) {
                            first = train;
                            firstTrack = track;
                        }
                    });
                }
                if (first != nullptr && !first->bDead && first->getFrontLambda() > past + beyond) {
                    return true;
                }
            }
            return false;
        };
        ASSERT_TRUE(until(0.0f, 0.0f)) << "no train came";
        ASSERT_TRUE(until(firstTrack->createLambda, 460.0f)) << "the first train did not come in";
        for (int k = 0; k < 2; ++k) {
            if (k == 1) {
                ASSERT_TRUE(until(firstTrack->tunnelLambda, 150.0f)) << "the first train did not reach its tunnel";
            }
            stack.graphics->clear(UColor(0, 0, 0, 255));
            stack.manager->draw();
            const std::string jpg = buildFolder + "levels-shot-" + shot.name + kinds[k] + ".jpg";
            std::filesystem::remove(jpg);
            stack.graphics->saveScreenshot(jpg.c_str());
            EXPECT_TRUE(std::filesystem::exists(jpg));
            bool grabbed = false;
            const std::unique_ptr<MemoryImageFile> frame(stack.graphics->grabFrame(&grabbed));
            ASSERT_TRUE(grabbed);
            lay(sheets[k], *frame, int(i % COLUMNS) * (tileWidth + GAP), int(i / COLUMNS) * (tileHeight + GAP),
                SHRINK);
        }
        stack.manager->removeChild(game);
        stack.manager->lastActive = nullptr;
        stack.endGame();
    }
    EXPECT_TRUE(writePng(buildFolder + "levels-contact-sheet.png", sheets[0]));
    EXPECT_TRUE(writePng(buildFolder + "levels-tunnels-contact-sheet.png", sheets[1]));
}
