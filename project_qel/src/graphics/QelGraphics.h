#pragma once
// The engine's one graphics device: the SDL window with its fixed-function
// OpenGL context, the video mode chosen from the settings, the global render
// state, frame presentation and screenshots.
#include <SDL.h>

#include "math/UColor.h"
#include "math/V3.h"
#include "object/RuntimeClass.h"
#include "system/UString.h"

class MemoryImageFile;

class QelGraphics {
    QEL_DECLARE_ROOT_RUNTIME_CLASS()

public:
    static constexpr const char* SECTION = "QelGraphics";
    // The window sizes offered, smallest first.
    static constexpr int LADDER_SIZE = 5;
    static constexpr int ladderWidths[LADDER_SIZE] = {320, 512, 640, 800, 1024};
    static constexpr int ladderHeights[LADDER_SIZE] = {240, 384, 480, 600, 768};

    // Reads section "QelGraphics" of the settings and opens the window.
    QelGraphics();
    // Writes the size, fullscreen, filter and vsync keys back and leaves
    // fullscreen.
    virtual ~QelGraphics();
    QelGraphics(const QelGraphics&) = delete;
    QelGraphics& operator=(const QelGraphics&) = delete;

    // Snaps a requested mode in place to one the display offers.
    void calcClosestMatchParameters(bool& fullscreen, int& width, int& height);
    // The choice among listed fullscreen modes (a null-terminated list): the
    // largest that fits the request, else the narrowest.
    static void pickFullscreenMode(SDL_Rect** modes, int& width, int& height);
    // The choice of window size: the largest rung of the ladder not wider
    // than asked that fits strictly inside the desktop (the smallest rung
    // always).
    static void pickWindowedMode(int desktopW, int desktopH, int& width, int& height);
    // (Re)creates the surface in the mode of bFullScreen, screenWidth and
    // screenHeight and applies the render state. A surface that cannot be
    // created is fatal.
    bool restorePresentation();
    // A new size or fullscreen state raises the engine's restart request;
    // otherwise the render state is applied again at once.
    void changePresentationParameters(int width, int height, bool fullscreen, bool bilinearFilter,
                                      bool vsync);
    void dumpVideoInfo(const SDL_VideoInfo* info);
    // Called by the fatal-error path after it has left fullscreen.
    void beforeErrorExit() {}

    // Viewport, a projection that shows the logical screen in the plane
    // z = 0, blending and texturing. An OpenGL error is fatal.
    void setGlobalRenderState();
    void setBlendState(bool enabled);
    // Wrapping and filtering of the texture bound now.
    void setTextureParameters();
    // The filter new textures get: bilinear unless the settings turn it off.
    int textureFilter() const;
    // Clears to the colour's red, green and blue; its alpha is ignored.
    void clear(UColor colour);
    void present();
    void loadIdentity();
    void loadMatrix(const float m[16]);
    void loadProjectionMatrix(const float m[16]);
    void getProjectionMatrix(float out[16]);
    // The frame as an image, top row first; the caller owns it. ok (when
    // given) tells whether the read-back worked.
    MemoryImageFile* grabFrame(bool* ok);
    // Writes the frame in the format of the name's extension (".jpg" only;
    // ".tga" and ".bmp" are not implemented, anything else writes nothing).
    // A frame that could not be read back is not written.
    void saveScreenshot(const UString& fileName);

    V3 viewOffset;
    bool bFullScreen = false;
    bool bBilinearFilter = false;
    bool bUseVSync = false;
    bool bEnableFontCache = false;
    bool bUseReferenceDevice = false;
    bool bUseHardwareTL = false;
    bool bSimulate256x256TextureHW = false;
    int fovWidth = 0;
    int fovHeight = 0;
    int screenWidth = 0;
    int screenHeight = 0;
    int desktopWidth = 0;
    int desktopHeight = 0;
    int colorDepth = 0;
    float aspectRatio = 0.0f;
    bool bBrokenAlphaOp = false;
    bool bTFACTORSupport = false;
    bool bTextShadows = false;
    SDL_Surface* surfaceHandle = nullptr;
};
