#include "graphics/QelGraphics.h"

#include <SDL_opengl.h>

#include <utility>
#include <vector>

#include "config/MemoryIniFile.h"
#include "engine/ErrorManager.h"
#include "engine/Logger.h"
#include "engine/Qel.h"
#include "engine/QelAssert.h"
#include "engine/Settings.h"
#include "graphics/MemoryImageFile.h"
#include "math/VectorMath.h"

QEL_IMPLEMENT_RUNTIME_CLASS(QelGraphics, QEL_NO_PARENT, QEL_NO_CREATOR);

namespace {

// The largest window or logical screen side taken from the settings.
constexpr int MAX_SIZE = 16384;
constexpr Uint32 FULLSCREEN_QUERY = SDL_FULLSCREEN | SDL_ANYFORMAT | SDL_OPENGL;
// SDL_ListModes's answer that every size is acceptable.
SDL_Rect** const ALL_MODES = reinterpret_cast<SDL_Rect**>(-1);

bool endsWith(const UString& text, const char* suffix)
{
    const UString end(suffix);
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

} // namespace

QelGraphics::QelGraphics()
{
    QEL_LOG("Starting...");
    // Every 2D placement divides by the logical screen: keep it usable.
    fovWidth = readSettingInt(SECTION, "fovWidth", 800, 1, MAX_SIZE);
    fovHeight = readSettingInt(SECTION, "fovHeight", 600, 1, MAX_SIZE);
    screenWidth = readSettingInt(SECTION, "screenWidth", 800, 1, MAX_SIZE);
    screenHeight = readSettingInt(SECTION, "screenHeight", 600, 1, MAX_SIZE);
    bFullScreen = readSettingBool(SECTION, "bFullScreen", true);
    bBilinearFilter = readSettingBool(SECTION, "bBilinearFilter", true);
    bUseReferenceDevice = readSettingBool(SECTION, "bUseReferenceDevice", false);
    bUseHardwareTL = readSettingBool(SECTION, "bUseHardwareTL", true);
    bUseVSync = readSettingBool(SECTION, "bUseVSync", false);
    bEnableFontCache = readSettingBool(SECTION, "bEnableFontCache", true);
    bBrokenAlphaOp = readSettingBool(SECTION, "bBrokenAlphaOp", false);
    bTFACTORSupport = readSettingBool(SECTION, "bTFACTORSupport", false);
    bSimulate256x256TextureHW = readSettingBool(SECTION, "bSimulate256x256TextureHW", true);
    aspectRatio = static_cast<float>(fovHeight) / static_cast<float>(fovWidth);

    SDL_WM_SetCaption("Vabodemo", "Vabodemo");

    QEL_LOG("Desktop SDL_GetVideoInfo():");
    const SDL_VideoInfo* desktop = SDL_GetVideoInfo();
    QEL_ASSERT(desktop != nullptr);
    desktopWidth = desktop->current_w;
    desktopHeight = desktop->current_h;
    dumpVideoInfo(desktop);

    QEL_LOG("Available fullscreen resolutions:");
    SDL_Rect** modes = SDL_ListModes(desktop->vfmt, FULLSCREEN_QUERY);
    if (modes == ALL_MODES) {
        QEL_LOG("\tAll resolutions are supported.");
    } else if (modes == nullptr) {
        QEL_LOG("\tNo resolutions are supported, reverting to windowed mode.");
        bFullScreen = false;
    } else {
        for (int i = 0; modes[i] != nullptr; ++i) {
            QEL_LOG("\tFound: %dx%d", modes[i]->w, modes[i]->h);
        }
    }

    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    restorePresentation();

    QEL_LOG("Created SDL_GetVideoInfo():");
    dumpVideoInfo(SDL_GetVideoInfo());
    auto glText = [](GLenum name) {
        const GLubyte* text = glGetString(name);
        return text != nullptr ? reinterpret_cast<const char*>(text) : "";
    };
    QEL_LOG("OpenGL GL_VENDOR: %s", glText(GL_VENDOR));
    QEL_LOG("OpenGL GL_RENDERER: %s", glText(GL_RENDERER));
    QEL_LOG("OpenGL GL_VERSION: %s", glText(GL_VERSION));
    QEL_LOG("OpenGL GL_EXTENSIONS: %s", glText(GL_EXTENSIONS));
    QEL_LOG("Started.");
}

QelGraphics::~QelGraphics()
{
    MemoryIniFile* settings = g_qel != nullptr ? g_qel->config : nullptr;
    if (settings != nullptr) {
        settings->setInt(SECTION, "screenWidth", screenWidth);
        settings->setInt(SECTION, "screenHeight", screenHeight);
        settings->setBool(SECTION, "bFullScreen", bFullScreen);
        settings->setBool(SECTION, "bBilinearFilter", bBilinearFilter);
        settings->setBool(SECTION, "bUseVSync", bUseVSync);
    }
    if (bFullScreen) {
        bFullScreen = false;
        restorePresentation();
    }
}

void QelGraphics::pickFullscreenMode(SDL_Rect** modes, int& width, int& height)
{
    int smallestW = 99999;
    int smallestH = 99999;
    int bestW = 0;
    int bestH = 0;
    for (int i = 0; modes[i] != nullptr; ++i) {
        const int w = modes[i]->w;
        const int h = modes[i]->h;
        if (w < smallestW) {
            smallestW = w;
            smallestH = h;
        }
        if (w <= width && h <= height && w >= bestW && h >= bestH) {
            bestW = w;
            bestH = h;
        }
    }
    if (bestW != 0) {
        width = bestW;
        height = bestH;
    } else {
        width = smallestW;
        height = smallestH;
    }
}

void QelGraphics::pickWindowedMode(int desktopW, int desktopH, int& width, int& height)
{
    int rung = 0;
    for (int i = 0; i < LADDER_SIZE; ++i) {
        if (ladderWidths[i] <= width) {
            rung = i;
        }
    }
    while (rung > 0 && !(ladderWidths[rung] < desktopW && ladderHeights[rung] < desktopH)) {
        --rung;
    }
    width = ladderWidths[rung];
    height = ladderHeights[rung];
}

void QelGraphics::calcClosestMatchParameters(bool& fullscreen, int& width, int& height)
{
    QEL_LOG("Requested mode %dx%d, %s.", width, height, fullscreen ? "fullscreen" : "windowed");
    if (fullscreen) {
        const SDL_VideoInfo* info = SDL_GetVideoInfo();
        SDL_Rect** modes = info != nullptr ? SDL_ListModes(info->vfmt, FULLSCREEN_QUERY) : nullptr;
        if (modes == nullptr) {
            QEL_LOG("No fullscreen modes found, reverting to windowed mode.");
            fullscreen = false;
            width = 99999;
        } else if (modes == ALL_MODES) {
            // No list to choose from: the requested size is taken as it is.
            QEL_LOG("All resolutions are supported?!");
        } else {
            pickFullscreenMode(modes, width, height);
        }
    }
    if (!fullscreen) {
        pickWindowedMode(desktopWidth, desktopHeight, width, height);
    }
    QEL_LOG("Best mode found %dx%d, %s.", width, height, fullscreen ? "fullscreen" : "windowed");
}

bool QelGraphics::restorePresentation()
{
    calcClosestMatchParameters(bFullScreen, screenWidth, screenHeight);
    const SDL_VideoInfo* info = SDL_GetVideoInfo();
    Uint32 flags = SDL_OPENGL | SDL_ANYFORMAT;
    if (info != nullptr && info->hw_available) {
        flags |= SDL_HWSURFACE;
    }
    int bitsPerPixel = 32;
    if (bFullScreen) {
        flags |= SDL_FULLSCREEN;
    } else if (info != nullptr && info->vfmt != nullptr) {
        bitsPerPixel = info->vfmt->BitsPerPixel;
    }
    surfaceHandle = SDL_SetVideoMode(screenWidth, screenHeight, bitsPerPixel, flags);
    if (surfaceHandle == nullptr) {
        qelCheckFailed(SDL_GetError(), "surfaceHandle!=NULL", "restorePresentation", __FILE__,
                       __LINE__);
    }
    const SDL_VideoInfo* created = SDL_GetVideoInfo();
    colorDepth = created != nullptr && created->vfmt != nullptr ? created->vfmt->BitsPerPixel : 0;
    setGlobalRenderState();
    return true;
}

void QelGraphics::changePresentationParameters(int width, int height, bool fullscreen,
                                               bool bilinearFilter, bool vsync)
{
    bBilinearFilter = bilinearFilter;
    bUseVSync = vsync;
    calcClosestMatchParameters(fullscreen, width, height);
    const bool changed = fullscreen != bFullScreen || width != screenWidth || height != screenHeight;
    bFullScreen = fullscreen;
    screenWidth = width;
    screenHeight = height;
    if (changed) {
        QEL_LOG("Restarting to apply configuration.");
        g_qel->bRestartRequested = true;
    } else {
        setGlobalRenderState();
    }
}

void QelGraphics::dumpVideoInfo(const SDL_VideoInfo* info)
{
    if (info == nullptr || g_qel == nullptr || g_qel->logger == nullptr) {
        return;
    }
    Logger& log = *g_qel->logger;
    auto number = [&log](const char* name, long long value) {
        log.write("\t%s: %d", name, static_cast<int>(value));
    };
    auto hex = [&log](const char* name, unsigned long long value) {
        log.write("\t%s: 0x%x", name, static_cast<unsigned>(value));
    };
    number("info->hw_available", info->hw_available);
    number("info->wm_available", info->wm_available);
    number("info->blit_hw", info->blit_hw);
    number("info->blit_hw_CC", info->blit_hw_CC);
    number("info->blit_hw_A", info->blit_hw_A);
    number("info->blit_sw", info->blit_sw);
    number("info->blit_sw_CC", info->blit_sw_CC);
    number("info->blit_sw_A", info->blit_sw_A);
    number("info->blit_fill", info->blit_fill);
    number("info->video_mem", info->video_mem);
    const SDL_PixelFormat* format = info->vfmt;
    if (format != nullptr) {
        hex("info->vfmt->palette", reinterpret_cast<uintptr_t>(format->palette));
        number("info->vfmt->BitsPerPixel", format->BitsPerPixel);
        number("info->vfmt->BytesPerPixel", format->BytesPerPixel);
        number("info->vfmt->Rloss", format->Rloss);
        number("info->vfmt->Gloss", format->Gloss);
        number("info->vfmt->Bloss", format->Bloss);
        number("info->vfmt->Aloss", format->Aloss);
        number("info->vfmt->Rshift", format->Rshift);
        number("info->vfmt->Gshift", format->Gshift);
        number("info->vfmt->Bshift", format->Bshift);
        number("info->vfmt->Ashift", format->Ashift);
        hex("info->vfmt->Rmask", format->Rmask);
        hex("info->vfmt->Gmask", format->Gmask);
        hex("info->vfmt->Bmask", format->Bmask);
        hex("info->vfmt->Amask", format->Amask);
        hex("info->vfmt->colorkey", format->colorkey);
        number("info->vfmt->alpha", format->alpha);
    }
    number("info->current_w", info->current_w);
    number("info->current_h", info->current_h);
}

void QelGraphics::setGlobalRenderState()
{
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glViewport(0, 0, screenWidth, screenHeight);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glFrustum(1.0, -1.0, -aspectRatio, aspectRatio, 1.0, 999999.0);
    const float eyeDistance = static_cast<float>(-(fovWidth / 2));
    lookAt(V3(0.0f, 0.0f, eyeDistance), V3(0.0f, 0.0f, 0.0f), V3(0.0f, 1.0f, 0.0f));
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    setBlendState(true);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_FASTEST);
    glEnable(GL_TEXTURE_2D);
    glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    setTextureParameters();
    const GLenum code = glGetError();
    if (code != GL_NO_ERROR) {
        qelCheckFailed(ErrorManager::getGLErrorName(code).c_str(), "0", "setGlobalRenderState",
                       __FILE__, __LINE__);
    }
}

void QelGraphics::setBlendState(bool enabled)
{
    if (enabled) {
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glEnable(GL_ALPHA_TEST);
        glAlphaFunc(GL_NOTEQUAL, 0.0f);
    } else {
        glDisable(GL_BLEND);
        glDisable(GL_ALPHA_TEST);
    }
}

int QelGraphics::textureFilter() const
{
    return bBilinearFilter ? GL_LINEAR : GL_NEAREST;
}

void QelGraphics::setTextureParameters()
{
    const GLint filter = textureFilter();
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
}

void QelGraphics::clear(UColor colour)
{
    glClearColor(colour.r / 255.0f, colour.g / 255.0f, colour.b / 255.0f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT);
}

void QelGraphics::present()
{
    glFlush();
    SDL_GL_SwapBuffers();
}

void QelGraphics::loadIdentity()
{
    glLoadIdentity();
}

void QelGraphics::loadMatrix(const float m[16])
{
    glLoadMatrixf(m);
}

void QelGraphics::loadProjectionMatrix(const float m[16])
{
    glMatrixMode(GL_PROJECTION);
    glLoadMatrixf(m);
    glMatrixMode(GL_MODELVIEW);
}

void QelGraphics::getProjectionMatrix(float out[16])
{
    glGetFloatv(GL_PROJECTION_MATRIX, out);
}

MemoryImageFile* QelGraphics::grabFrame(bool* ok)
{
    if (ok != nullptr) {
        *ok = false;
    }
    auto* image = new MemoryImageFile(screenWidth, screenHeight);
    // Whatever the read-back leaves out is black, never old heap memory.
    image->clear(nullptr, false);
    glReadPixels(0, 0, screenWidth, screenHeight, GL_RGBA, GL_UNSIGNED_BYTE, image->pImageData.get());
    if (glGetError() != GL_NO_ERROR) {
        return image;
    }
    // OpenGL's first row is the bottom one.
    const size_t rowPixels = static_cast<size_t>(image->width);
    std::vector<u32> row(rowPixels);
    for (int y = 0; y < image->height / 2; ++y) {
        u32* upper = image->pImageData.get() + y * rowPixels;
        u32* lower = image->pImageData.get() + (image->height - 1 - y) * rowPixels;
        std::copy(upper, upper + rowPixels, row.begin());
        std::copy(lower, lower + rowPixels, upper);
        std::copy(row.begin(), row.end(), lower);
    }
    if (ok != nullptr) {
        *ok = true;
    }
    return image;
}

void QelGraphics::saveScreenshot(const UString& fileName)
{
    if (surfaceHandle == nullptr) {
        // No surface, no frame: the surface was lost on the way.
        return;
    }
    bool ok = false;
    MemoryImageFile* image = grabFrame(&ok);
    if (ok) {
        if (endsWith(fileName, ".tga")) {
            image->saveTGA(fileName);
        } else if (endsWith(fileName, ".bmp")) {
            image->saveBMP(fileName);
        } else if (endsWith(fileName, ".jpg")) {
            image->saveJPG(fileName, 60);
        }
    }
    delete image;
}
