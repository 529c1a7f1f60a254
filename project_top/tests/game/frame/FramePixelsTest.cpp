// What the player sees, pixel for pixel: the main menu and levels 0, 2, 8
// and 12, run by the engine's own frame loop on a scripted clock with the
// default settings and a fixed random seed, drawn in the 800 x 600 window
// and read back. Each frame's MD5 is held against the list in
// tests/data/frame-digests.txt, so that a change to how things are drawn
// (state, batching, texture layout) cannot change a pixel unnoticed.
//
// The digests hold for one renderer only: the list keeps the whole
// GL_RENDERER and GL_VERSION strings it was made with, and was made with
// two rasteriser threads (LP_NUM_THREADS=2, as test.sh gives llvmpipe);
// under any other renderer, version or thread count the test skips with a
// message naming what was recorded and what was found.
//
// After a deliberate change of art or scenes, record the list afresh from a
// clean tree:
//   VABO_RECORD_FRAME_DIGESTS=1 ./test.sh -R FramePixels
// which rewrites the data file in the source tree with the renderer's two
// strings (look at the pictures the test leaves in the build folder,
// frame-pixels-*.tga, before committing it).
//
// The file's lines: "renderer <GL_RENDERER>", "version <GL_VERSION>", then
// "<scene> <md5>" for each scene; a value runs to the end of its line.
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

// The recorded list: the renderer's two strings and each scene's digest.
struct DigestList {
    std::string renderer;
    std::string version;
    std::map<std::string, std::string> digests;
};

DigestList storedDigests()
{
    DigestList list;
    std::ifstream in(digestFile);
    std::string line;
    while (std::getline(in, line)) {
        const size_t space = line.find(' ');
        if (space == std::string::npos) {
            continue;
        }
        const std::string key = line.substr(0, space);
        const std::string value = line.substr(space + 1);
        if (key == "renderer") {
            list.renderer = value;
        } else if (key == "version") {
            list.version = value;
        } else {
            list.digests[key] = value;
        }
    }
    return list;
}

std::string glString(GLenum name)
{
    const char* value = reinterpret_cast<const char*>(glGetString(name));
    return value != nullptr ? value : "unknown";
}

class FrameWindow : public FrameScenes {
public:
    // The renderer the digests were made with, or a reason to skip.
    static std::string otherRenderer()
    {
        const char* threads = std::getenv("LP_NUM_THREADS");
        if (threads == nullptr || std::strcmp(threads, "2") != 0) {
            return "the digests are llvmpipe's with LP_NUM_THREADS=2";
        }
        if (recording()) {
            return {};
        }
        const DigestList list = storedDigests();
        const std::string renderer = glString(GL_RENDERER);
        const std::string version = glString(GL_VERSION);
        if (list.renderer != renderer || list.version != version) {
            return "the digests were made with renderer \"" + list.renderer + "\", version \"" + list.version +
                   "\"; this is renderer \"" + renderer + "\", version \"" + version + "\"";
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
        DigestList list = storedDigests();
        if (recording()) {
            list.renderer = glString(GL_RENDERER);
            list.version = glString(GL_VERSION);
            list.digests[name] = digest.str();
            std::ofstream out(digestFile);
            out << "renderer " << list.renderer << '\n' << "version " << list.version << '\n';
            for (const auto& [scene, value] : list.digests) {
                out << scene << ' ' << value << '\n';
            }
            return;
        }
        const auto stored = list.digests.find(name);
        ASSERT_NE(stored, list.digests.end()) << "no digest for " << name << " in " << digestFile;
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

TEST(FramePixels, TheDigestsNameTheRendererAndVersionTheyWereMadeWith)
{
    const DigestList list = storedDigests();
    EXPECT_NE(list.renderer.find("llvmpipe"), std::string::npos) << list.renderer;
    EXPECT_NE(list.version.find("Mesa"), std::string::npos) << list.version;
    EXPECT_EQ(list.digests.size(), 5u);
}

} // namespace
