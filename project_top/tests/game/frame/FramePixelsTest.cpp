// What the player sees, pixel for pixel: the main menu and levels 0, 2, 8
// and 12, run by the engine's own frame loop on a scripted clock with the
// default settings and a fixed random seed, drawn in the 800 x 600 window
// and read back. Each frame's MD5 is held against the list in
// tests/data/frame-digests.txt, so that a change to how things are drawn
// (state, batching, texture layout) cannot change a pixel unnoticed.
//
// The digests hold for one renderer only: Mesa's llvmpipe with two
// rasteriser threads (LP_NUM_THREADS=2, as test.sh's virtual X server
// gives it); under any other renderer the test skips with a message.
//
// After a deliberate change of art or scenes, record the list afresh:
//   VABO_RECORD_FRAME_DIGESTS=1 ./test.sh -R FramePixels
// which rewrites the data file in the source tree (look at the pictures the
// test leaves in the build folder, frame-pixels-*.tga, before committing it).
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <string>

#include "game/Screenshot.h"
#include "game/frame/FrameScenes.h"
#include "system/Md5.h"

namespace {

const std::string digestFile = std::string(VABO_TEST_DATA) + "/frame-digests.txt";

bool recording()
{
    const char* value = std::getenv("VABO_RECORD_FRAME_DIGESTS");
    return value != nullptr && *value != '\0' && std::strcmp(value, "0") != 0;
}

std::map<std::string, std::string> storedDigests()
{
    std::map<std::string, std::string> digests;
    std::ifstream in(digestFile);
    std::string name;
    std::string digest;
    while (in >> name >> digest) {
        digests[name] = digest;
    }
    return digests;
}

class FrameWindow : public FrameScenes {
public:
    // The renderer the digests were made with, or a reason to skip.
    static std::string otherRenderer()
    {
        const char* renderer = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
        const char* threads = std::getenv("LP_NUM_THREADS");
        if (renderer == nullptr || std::strstr(renderer, "llvmpipe") == nullptr) {
            return std::string("the digests are Mesa llvmpipe's, this renderer is ") +
                   (renderer != nullptr ? renderer : "unknown");
        }
        if (threads == nullptr || std::strcmp(threads, "2") != 0) {
            return "the digests are llvmpipe's with LP_NUM_THREADS=2";
        }
        return {};
    }

    // The stack drawn as the frame loop draws it, left as a picture, and
    // the MD5 of its pixels held against (or recorded into) the list.
    void check(const std::string& name)
    {
        drawScene();
        bool grabbed = false;
        const std::unique_ptr<MemoryImageFile> shot(qel->graphics->grabFrame(&grabbed));
        ASSERT_TRUE(grabbed);
        leaveScreenshot(qel->graphics, "frame-pixels-" + name + ".tga");
        unsigned char bytes[16];
        md5Buffer(bytes, shot->pImageData.get(), shot->width * shot->height * 4);
        std::ostringstream digest;
        for (unsigned char b : bytes) {
            digest << "0123456789abcdef"[b >> 4] << "0123456789abcdef"[b & 15];
        }
        if (recording()) {
            std::map<std::string, std::string> digests = storedDigests();
            digests[name] = digest.str();
            std::ofstream out(digestFile);
            for (const auto& [scene, value] : digests) {
                out << scene << ' ' << value << '\n';
            }
            return;
        }
        const std::map<std::string, std::string> digests = storedDigests();
        const auto stored = digests.find(name);
        ASSERT_NE(stored, digests.end()) << "no digest for " << name << " in " << digestFile;
        EXPECT_EQ(stored->second, digest.str()) << name << " no longer draws the same pixels";
    }
};

TEST(FramePixels, TheMainMenuAndTheLevelsDrawTheSamePixels)
{
    FrameWindow window;
    const std::string skip = FrameWindow::otherRenderer();
    if (!skip.empty()) {
        GTEST_SKIP() << skip;
    }
    window.showMainMenu();
    window.check("main-menu");
    window.leaveScene();
    for (int level : {0, 2, 8, 12}) {
        window.playLevel(level);
        window.check("level-" + std::to_string(level));
        window.leaveScene();
    }
}

} // namespace
