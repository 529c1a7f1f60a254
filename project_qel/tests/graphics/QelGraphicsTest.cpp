#include "graphics/QelGraphics.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>

#include "engine/Qel.h"
#include "engine/QelAssert.h"
#include "graphics/ImageCodecs.h"
#include "graphics/MemoryImageFile.h"
#include "support/DeviceCore.h"

namespace {

struct Mode {
    int width;
    int height;
    bool operator==(const Mode&) const = default;
};

void PrintTo(const Mode& mode, std::ostream* out)
{
    *out << mode.width << "x" << mode.height;
}

Mode windowed(int desktopW, int desktopH, int width, int height)
{
    QelGraphics::pickWindowedMode(desktopW, desktopH, width, height);
    return {width, height};
}

Mode fullscreen(std::vector<SDL_Rect> list, int width, int height)
{
    std::vector<SDL_Rect*> modes;
    for (SDL_Rect& mode : list) {
        modes.push_back(&mode);
    }
    modes.push_back(nullptr);
    QelGraphics::pickFullscreenMode(modes.data(), width, height);
    return {width, height};
}

SDL_Rect rect(int w, int h)
{
    SDL_Rect r{};
    r.w = static_cast<Uint16>(w);
    r.h = static_cast<Uint16>(h);
    return r;
}

ImagePixels readJpegFile(const std::string& path)
{
    std::string bytes = TempFolder::readFile(path);
    ImagePixels image;
    ImageError error;
    EXPECT_TRUE(decodeJPEG(reinterpret_cast<const u8*>(bytes.data()), bytes.size(), false, image, error))
        << error.message;
    return image;
}

struct PixelCheck {
    int x;
    int y;
    u32 rgb;
};

void expectPixels(const DeviceCore& core, std::initializer_list<PixelCheck> checks)
{
    for (const PixelCheck& c : checks) {
        EXPECT_EQ(core.pixelAt(c.x, c.y), c.rgb) << c.x << ", " << c.y;
    }
}

std::vector<std::string> filesIn(const std::string& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    return names;
}

} // namespace

TEST(VideoModeChoice, WindowsFitStrictlyInsideTheDesktop)
{
    EXPECT_EQ(windowed(1024, 768, 800, 600), (Mode{800, 600}));
    EXPECT_EQ(windowed(1024, 768, 1024, 768), (Mode{800, 600}));
    EXPECT_EQ(windowed(1280, 1024, 1024, 768), (Mode{1024, 768}));
    EXPECT_EQ(windowed(1280, 1024, 700, 100), (Mode{640, 480})) << "the height plays no part";
    EXPECT_EQ(windowed(1280, 1024, 200, 900), (Mode{320, 240}));
    EXPECT_EQ(windowed(300, 200, 200, 150), (Mode{320, 240})) << "the smallest rung is never tested";
    EXPECT_EQ(windowed(1280, 1024, 99999, 0), (Mode{1024, 768}));
    EXPECT_EQ(windowed(1280, 1024, 512, 384), (Mode{512, 384}));
}

TEST(VideoModeChoice, FullscreenTakesTheLargestListedModeThatFits)
{
    std::vector<SDL_Rect> list = {rect(1280, 1024), rect(1024, 768), rect(800, 600), rect(640, 480)};
    EXPECT_EQ(fullscreen(list, 800, 600), (Mode{800, 600}));
    EXPECT_EQ(fullscreen(list, 700, 500), (Mode{640, 480}));
    EXPECT_EQ(fullscreen(list, 600, 400), (Mode{640, 480})) << "nothing fits: the narrowest";
    EXPECT_EQ(fullscreen({rect(1280, 800), rect(1152, 720), rect(1024, 768)}, 1200, 800),
              (Mode{1152, 720}));
    EXPECT_EQ(fullscreen({rect(800, 600), rect(800, 500)}, 300, 300), (Mode{800, 600}))
        << "ties of the narrowest keep the earlier mode";
}

TEST(GraphicsDevice, FirstStartWritesEveryKeyOpensTheWindowAndSetsTheRenderState)
{
    DeviceCore core(DeviceCore::GRAPHICS);
    MemoryIniFile& config = *core.qel->config;
    const char* const written[][2] = {
        {"fovWidth", "800"},       {"fovHeight", "600"},          {"screenWidth", "800"},
        {"screenHeight", "600"},   {"bFullScreen", "No"},         {"bBilinearFilter", "Yes"},
        {"bUseReferenceDevice", "No"}, {"bUseHardwareTL", "Yes"}, {"bUseVSync", "No"},
        {"bEnableFontCache", "Yes"}, {"bBrokenAlphaOp", "No"},    {"bTFACTORSupport", "No"},
        {"bSimulate256x256TextureHW", "Yes"}};
    for (const auto& [key, value] : written) {
        EXPECT_EQ(config.getString("QelGraphics", key), value) << key;
    }
    EXPECT_EQ(config.sections["QelGraphics"].size(), 13u);
    EXPECT_FLOAT_EQ(core.graphics->aspectRatio, 0.75f);
    ASSERT_NE(core.graphics->surfaceHandle, nullptr);
    EXPECT_EQ(SDL_GetVideoSurface()->w, 800);
    EXPECT_EQ(SDL_GetVideoSurface()->h, 600);
    EXPECT_EQ(SDL_GetVideoSurface()->flags & SDL_FULLSCREEN, 0u);
    EXPECT_GT(core.graphics->colorDepth, 0);
    EXPECT_GT(core.graphics->desktopWidth, 0);
    std::string log = core.logText();
    for (const char* line : {"calcClosestMatchParameters(): Requested mode 800x600, windowed.",
                             "calcClosestMatchParameters(): Best mode found 800x600, windowed.",
                             "QelGraphics(): OpenGL GL_RENDERER: ", "QelGraphics(): Started."}) {
        EXPECT_NE(log.find(line), std::string::npos) << line;
    }

    for (GLenum capability : {GL_BLEND, GL_ALPHA_TEST, GL_TEXTURE_2D}) {
        EXPECT_TRUE(glIsEnabled(capability)) << capability;
    }
    GLint value = 0;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &value);
    EXPECT_EQ(value, 1);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &value);
    EXPECT_EQ(value, GL_LINEAR);
    // Fully transparent fragments are dropped.
    core.graphics->clear(UColor(0, 0, 255, 255));
    glDisable(GL_TEXTURE_2D);
    glColor4f(1, 0, 0, 0.0f);
    glBegin(GL_QUADS);
    for (const auto& [x, y] : {std::pair{-100, -100}, {100, -100}, {100, 100}, {-100, 100}}) {
        glVertex3f(static_cast<float>(x), static_cast<float>(y), 0);
    }
    glEnd();
    expectPixels(core, {{400, 300, RGB_BLUE}});
    core.graphics->setBlendState(false);
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    EXPECT_FALSE(glIsEnabled(GL_ALPHA_TEST));
    core.graphics->setBlendState(true);
    EXPECT_TRUE(glIsEnabled(GL_BLEND));

    // The projection goes back as it was, leaving the model-view current.
    float saved[16];
    core.graphics->getProjectionMatrix(saved);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    core.graphics->loadProjectionMatrix(saved);
    glGetIntegerv(GL_MATRIX_MODE, &value);
    EXPECT_EQ(value, GL_MODELVIEW);
    float matrix[16];
    core.graphics->getProjectionMatrix(matrix);
    EXPECT_TRUE(std::equal(saved, saved + 16, matrix));
    const float moved[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 5, 6, 7, 1};
    core.graphics->loadMatrix(moved);
    glGetFloatv(GL_MODELVIEW_MATRIX, matrix);
    EXPECT_EQ(matrix[12], 5.0f);
    core.graphics->loadIdentity();
    glGetFloatv(GL_MODELVIEW_MATRIX, matrix);
    EXPECT_EQ(matrix[12], 0.0f);
}

TEST(GraphicsDevice, ClearsWithoutTheAlphaAndThePlaneZeroShowsTheLogicalScreenInEveryWindowSize)
{
    {
        DeviceCore core(DeviceCore::GRAPHICS);
        core.graphics->clear(UColor(255, 0, 0, 255));
        expectPixels(core, {{0, 0, RGB_RED}, {799, 599, RGB_RED}});
        float clearColour[4] = {};
        glGetFloatv(GL_COLOR_CLEAR_VALUE, clearColour);
        EXPECT_EQ(clearColour[3], 0.0f);
        core.graphics->clear(UColor(0, 0, 255, 0));
        expectPixels(core, {{400, 300, RGB_BLUE}});

        core.graphics->clear(UColor(0, 0, 0, 255));
        // The top-right and bottom-left 100 x 100 corners of the logical screen.
        DeviceCore::fillRect(300, 200, 400, 300, 1, 1, 1);
        DeviceCore::fillRect(-400, -300, -300, -200, 0, 1, 0);
        expectPixels(core, {{799, 0, RGB_WHITE}, {701, 98, RGB_WHITE}, {698, 50, RGB_BLACK}, {750, 101, RGB_BLACK},
                            {0, 599, RGB_GREEN}, {98, 501, RGB_GREEN}, {101, 550, RGB_BLACK}, {400, 300, RGB_BLACK}});
    }
    DeviceCore core(DeviceCore::GRAPHICS, "screenWidth=1024\nscreenHeight=768\n");
    ASSERT_EQ(core.graphics->screenWidth, 1024);
    ASSERT_EQ(SDL_GetVideoSurface()->w, 1024);
    core.graphics->clear(UColor(0, 0, 0, 255));
    DeviceCore::fillRect(300, 200, 400, 300, 1, 1, 1);
    expectPixels(core, {{1023, 0, RGB_WHITE}, {898, 126, RGB_WHITE}, {893, 60, RGB_BLACK}, {950, 130, RGB_BLACK}});
}

TEST(GraphicsDevice, AnUnchangedModeOnlyReappliesTheRenderStateAndANewSizeRestarts)
{
    DeviceCore core(DeviceCore::GRAPHICS);
    core.graphics->changePresentationParameters(800, 600, false, false, true);
    EXPECT_FALSE(core.qel->bRestartRequested);
    EXPECT_TRUE(core.graphics->bUseVSync);
    GLint value = 0;
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &value);
    EXPECT_EQ(value, GL_NEAREST);
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    core.graphics->setTextureParameters();
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &value);
    EXPECT_EQ(value, GL_NEAREST);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, &value);
    EXPECT_EQ(value, GL_REPEAT);
    glDeleteTextures(1, &texture);
    EXPECT_EQ(core.logText().find("Restarting to apply configuration."), std::string::npos);

    core.graphics->changePresentationParameters(640, 480, false, true, false);
    EXPECT_TRUE(core.qel->bRestartRequested);
    EXPECT_NE(core.logText().find("changePresentationParameters(): Restarting to apply configuration."),
              std::string::npos);
    EXPECT_EQ(core.graphics->screenWidth, 640);
    EXPECT_EQ(SDL_GetVideoSurface()->w, 800) << "the surface waits for the restore";
    EXPECT_TRUE(core.graphics->restorePresentation());
    EXPECT_EQ(SDL_GetVideoSurface()->w, 640);
    EXPECT_EQ(SDL_GetVideoSurface()->h, 480);
    core.graphics->clear(UColor(0, 0, 0, 255));
    DeviceCore::fillRect(300, 200, 400, 300, 1, 1, 1);
    expectPixels(core, {{639, 0, RGB_WHITE}, {562, 78, RGB_WHITE}, {555, 40, RGB_BLACK}});

    // The snapped request is what counts: 1000 wide is the 800 rung.
    core.qel->bRestartRequested = false;
    core.graphics->changePresentationParameters(1000, 10, false, true, false);
    EXPECT_TRUE(core.qel->bRestartRequested);
    EXPECT_EQ(core.graphics->screenWidth, 800);
    EXPECT_EQ(core.graphics->screenHeight, 600);
    core.deleteGraphics();
    MemoryIniFile& config = *core.qel->config;
    EXPECT_EQ(config.getInt("QelGraphics", "screenWidth"), 800);
    EXPECT_EQ(config.getInt("QelGraphics", "screenHeight"), 600);
    EXPECT_FALSE(config.getBool("QelGraphics", "bFullScreen"));
}

TEST(GraphicsDevice, DestructionWritesTheFiveKeysBack)
{
    DeviceCore core(DeviceCore::GRAPHICS, "bUseVSync=No\nfovWidth=640\n");
    core.graphics->bBilinearFilter = false;
    core.graphics->bUseVSync = true;
    core.graphics->fovHeight = 1;
    core.graphics->screenWidth = 512;
    core.deleteGraphics();
    // fovHeight is never written back.
    const char* const written[][2] = {
        {"bBilinearFilter", "No"}, {"bUseVSync", "Yes"}, {"screenWidth", "512"}, {"fovWidth", "640"}, {"fovHeight", "600"}};
    for (const auto& [key, value] : written) {
        EXPECT_EQ(core.qel->config->getString("QelGraphics", key), value) << key;
    }
}

TEST(GraphicsDevice, FullScreenIsLeftAtTheEndAndRememberedAsAsked)
{
    DeviceCore core(DeviceCore::GRAPHICS, "bFullScreen=Yes\n");
    if (!core.graphics->bFullScreen) {
        GTEST_SKIP() << "the display offers no full-screen mode";
    }
    EXPECT_NE(SDL_GetVideoSurface()->flags & SDL_FULLSCREEN, 0u);
    EXPECT_NE(core.logText().find("Requested mode 800x600, fullscreen."), std::string::npos);
    core.deleteGraphics();
    EXPECT_EQ(core.qel->config->getString("QelGraphics", "bFullScreen"), "Yes");
    ASSERT_NE(SDL_GetVideoSurface(), nullptr);
    EXPECT_EQ(SDL_GetVideoSurface()->flags & SDL_FULLSCREEN, 0u);
}

TEST(Screenshot, IsAJpegOfTheWindowWithTheTopRowFirst)
{
    DeviceCore core(DeviceCore::GRAPHICS);
    core.graphics->clear(UColor(0, 0, 255, 255));
    DeviceCore::fillRect(-400, 0, 400, 300, 0, 1, 0);
    DeviceCore::fillRect(-400, 299, 400, 300, 1, 0, 0);
    DeviceCore::fillRect(-400, -300, 400, -299, 0, 0, 0);
    std::string path = core.folder.userFolder() + "Vabodemo 2026-12-07 08.00.00 1.000.jpg";
    core.graphics->saveScreenshot(path);
    ImagePixels image = readJpegFile(path);
    ASSERT_EQ(image.width, 800);
    ASSERT_EQ(image.height, 600);
    u32 top = image.pixels[10 * 800 + 400];
    u32 bottom = image.pixels[590 * 800 + 400];
    EXPECT_GT((top >> 8) & 0xff, 200u) << std::hex << top;
    EXPECT_LT((top >> 16) & 0xff, 60u);
    EXPECT_GT((bottom >> 16) & 0xff, 200u) << std::hex << bottom;
    EXPECT_LT((bottom >> 8) & 0xff, 60u);

    // The grabbed frame is turned top side up.
    bool ok = false;
    std::unique_ptr<MemoryImageFile> frame(core.graphics->grabFrame(&ok));
    ASSERT_TRUE(ok);
    ASSERT_EQ(frame->width, 800);
    ASSERT_EQ(frame->height, 600);
    EXPECT_TRUE(frame->hasAlpha);
    for (auto [row, rgb] : {std::pair{0, RGB_RED}, {299, RGB_GREEN}, {300, RGB_BLUE}, {599, RGB_BLACK}}) {
        EXPECT_EQ(frame->pImageData[row * 800 + 5] & 0xffffff, rgb) << row;
    }

    // Other names, and a failed read-back, write nothing.
    for (const char* name : {"shot.png", "shot.JPG", "shot.jpeg", "shot"}) {
        core.graphics->saveScreenshot(core.folder.userFolder() + name);
        EXPECT_FALSE(std::filesystem::exists(core.folder.userFolder() + name)) << name;
    }
    // An error left pending makes the read-back's check fail.
    glEnable(0xFFFF);
    std::unique_ptr<MemoryImageFile> failed(core.graphics->grabFrame(&ok));
    EXPECT_FALSE(ok);
    glEnable(0xFFFF);
    core.graphics->saveScreenshot(core.folder.userFolder() + "shot.jpg");
    EXPECT_FALSE(std::filesystem::exists(core.folder.userFolder() + "shot.jpg"));
}

TEST(Screenshot, AFullDiskKeepsThePreviousFileAndLeavesNoPart)
{
    DeviceCore core(DeviceCore::GRAPHICS);
    core.graphics->clear(UColor(0, 0, 0, 255));
    std::string path = core.folder.userFolder() + "crash.Vabodemo.jpg";
    TempFolder::writeFile(path, "previous");
    std::vector<std::string> before = filesIn(core.folder.userFolder());
    DeviceCore::drawNoise();
    {
        FullDisk full(4096);
        core.graphics->saveScreenshot(path);
    }
    EXPECT_EQ(TempFolder::readFile(path), "previous");
    EXPECT_EQ(filesIn(core.folder.userFolder()).size(), before.size()) << "no temporary file is left";
    std::unique_ptr<MemoryImageFile> frame(core.graphics->grabFrame(nullptr));
    EXPECT_FALSE(frame->saveJPG(core.folder.path + "/no such folder/shot.jpg", 60));
    EXPECT_TRUE(frame->saveJPG(path, 60));
    EXPECT_EQ(readJpegFile(path).width, 800);
}

TEST(GraphicsDeathTest, AFatalErrorSavesTheCrashScreenshotAndAnOpenGLErrorIsOne)
{
    DeviceCore core(0);
    std::string crashShot = core.folder.userFolder() + "crash.Vabodemo.jpg";
    EXPECT_FATAL_WITH(core,
                      {
                          core.startGraphics();
                          core.graphics->clear(UColor(0, 255, 0, 255));
                          QEL_FATAL("Lost the %s.", "plot");
                      },
                      "Lost the plot.");
    ImagePixels image = readJpegFile(crashShot);
    EXPECT_EQ(image.width, 800);
    EXPECT_EQ(image.height, 600);
    ASSERT_NE(image.pixels, nullptr);
    EXPECT_GT((image.pixels[300 * 800 + 400] >> 8) & 0xff, 200u);

    EXPECT_FATAL_WITH(core, (core.startGraphics(), glEnable(0xFFFF), core.graphics->setGlobalRenderState()),
                      "Error: GL_INVALID_ENUM\n Statement: 0\n Function: setGlobalRenderState()");
}

TEST(GraphicsDeathTest, NoCrashScreenshotOnAFullDiskOrALostSurfaceButStillTheReport)
{
    DeviceCore core(0);
    EXPECT_FATAL_WITH(core,
                      {
                          core.startGraphics();
                          DeviceCore::drawNoise();
                          // Room for the crash log, not for the picture.
                          FullDisk full(16384);
                          QEL_FATAL("Disk is full.");
                      },
                      "Disk is full.");
    EXPECT_FALSE(std::filesystem::exists(core.folder.userFolder() + "crash.Vabodemo.jpg"));
    EXPECT_FATAL_WITH(core,
                      {
                          core.startGraphics();
                          // As after SDL_SetVideoMode failed.
                          core.graphics->surfaceHandle = nullptr;
                          QEL_FATAL("No surface.");
                      },
                      "No surface.");
    EXPECT_FALSE(std::filesystem::exists(core.folder.userFolder() + "crash.Vabodemo.jpg"));
}

TEST(GraphicsDeathTest, AFatalErrorInFullScreenLeavesItBeforeTheReport)
{
    DeviceCore core(0, "bFullScreen=Yes\n");
    EXPECT_FATAL_WITH(core,
                      {
                          core.startGraphics();
                          if (!core.graphics->bFullScreen) {
                              std::exit(-1);
                          }
                          core.qel->logger->write("%s", "Full screen on.");
                          QEL_FATAL("Bad news.");
                      },
                      "Bad news.");
    std::string crashLog = TempFolder::readFile(core.crashLogPath());
    size_t on = crashLog.find("Full screen on.");
    if (on == std::string::npos) {
        GTEST_SKIP() << "the display offers no full-screen mode";
    }
    // The cause is kept before the window is restored, which may fail.
    size_t cause = crashLog.find("Bad news.", on);
    ASSERT_NE(cause, std::string::npos);
    size_t windowed = crashLog.find("Best mode found", cause);
    ASSERT_NE(windowed, std::string::npos);
    EXPECT_NE(crashLog.find("windowed.", windowed), std::string::npos);
}

TEST(GraphicsDeathTest, AWindowThatCannotBeRestoredKeepsTheFirstCause)
{
    DeviceCore core(0);
    EXPECT_FATAL_WITH(core,
                      {
                          core.startGraphics();
                          // Full screen to leave, and no video left to do it with.
                          core.graphics->bFullScreen = true;
                          SDL_QuitSubSystem(SDL_INIT_VIDEO);
                          setenv("SDL_VIDEODRIVER", "no-such-driver", 1);
                          QEL_FATAL("First cause.");
                      },
                      "Statement: surfaceHandle!=NULL");
    const std::string crashLog = TempFolder::readFile(core.crashLogPath());
    const size_t first = crashLog.find("Error: First cause.");
    ASSERT_NE(first, std::string::npos) << crashLog;
    EXPECT_LT(first, crashLog.find("surfaceHandle!=NULL"));
    EXPECT_TRUE(crashLog.ends_with("error(): Forced exit.\n")) << crashLog;
}
