#pragma once
// The engine core with its configuration and the devices of the window:
// SDL's video started, the settings pre-written (never full screen), then
// the input state, the graphics device and the debug font created in the
// engine's order. Runs under the virtual X server of the test run.
#include <SDL.h>
#include <SDL_opengl.h>
#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

#include <filesystem>
#include <string>
#include <vector>

#include "config/MemoryIniFile.h"
#include "graphics/FontGDI.h"
#include "graphics/QelGraphics.h"
#include "input/QelInput.h"
#include "support/FileCore.h"

class DeviceCore : public FileCore {
public:
    enum Parts { GRAPHICS = 1, INPUT = 2, FONT = 4, ALL = 7 };

    // Extra lines of the sections "QelGraphics" and "QelInput". The mouse
    // is not grabbed and no joystick opened unless asked for, so that tests
    // running side by side on one X server do not wait for each other's
    // grab.
    explicit DeviceCore(int parts = ALL, const std::string& settings = "", bool grabMouse = false,
                        const std::string& inputSettings = "")
    {
        // The first value of a key wins: the test's own lines come first.
        std::string text = "[QelGraphics]\n" + settings + "bFullScreen=No\n";
        text += "[QelInput]\n" + inputSettings;
        text += std::string("bTrackMouse=") + (grabMouse ? "Yes" : "No") + "\nbTrackJoystick=No\n";
        std::filesystem::create_directories(folder.userFolder());
        TempFolder::writeFile(configPath(), text);
        // The engine reads its configuration from the disk, not the data pack.
        files->bForceDisk = true;
        qel->config = new MemoryIniFile(configPath());
        files->bForceDisk = false;
        // Without parts the video stays down, so that a death test's child
        // opens its own display connection.
        if (parts != 0) {
            startVideo();
        }
        if (parts & INPUT) {
            qel->input = new QelInput();
        }
        if (parts & GRAPHICS) {
            qel->graphics = new QelGraphics();
            if (qel->input != nullptr) {
                qel->input->resetMouseRange();
            }
        }
        if (parts & FONT) {
            qel->debugFont = new FontGDI();
        }
        graphics = qel->graphics;
        input = qel->input;
    }
    ~DeviceCore()
    {
        delete qel->debugFont;
        qel->debugFont = nullptr;
        deleteGraphics();
        delete qel->input;
        qel->input = nullptr;
        delete qel->config;
        qel->config = nullptr;
        SDL_Quit();
    }

    static void startVideo()
    {
        ignoreLeaksOfTheDisplayDriver();
        if (SDL_Init(SDL_INIT_VIDEO) != 0) {
            ADD_FAILURE() << "SDL_Init: " << SDL_GetError();
        }
    }

    // The X11 and OpenGL libraries keep allocations for the life of the
    // process, and the driver they load has no frame pointers to tell them
    // apart by: while a window exists, this thread's allocations are not
    // leak-checked (memory errors still are).
    static void ignoreLeaksOfTheDisplayDriver()
    {
#if defined(__SANITIZE_ADDRESS__)
        static bool ignoring = false;
        if (!ignoring) {
            __lsan_disable();
            ignoring = true;
        }
#endif
    }

    void deleteGraphics()
    {
        delete qel->graphics;
        qel->graphics = nullptr;
        graphics = nullptr;
    }

    std::string configPath() const { return folder.userFolder() + "Vabodemo.cfg"; }

    // RGB of window pixel (x, y), y counted from the top, as the back buffer
    // holds it now.
    u32 pixelAt(int x, int y) const
    {
        u8 rgba[4] = {};
        glReadPixels(x, graphics->screenHeight - 1 - y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
        return u32(rgba[0]) | (u32(rgba[1]) << 8) | (u32(rgba[2]) << 16);
    }

    // A flat quad in world units in the plane z = 0, untextured.
    static void fillRect(float x0, float y0, float x1, float y1, float r, float g, float b)
    {
        glDisable(GL_TEXTURE_2D);
        glColor4f(r, g, b, 1.0f);
        glBegin(GL_QUADS);
        glVertex3f(x0, y0, 0.0f);
        glVertex3f(x1, y0, 0.0f);
        glVertex3f(x1, y1, 0.0f);
        glVertex3f(x0, y1, 0.0f);
        glEnd();
        glEnable(GL_TEXTURE_2D);
    }

    // Points of many colours all over the logical screen: a frame whose
    // JPEG is large.
    static void drawNoise()
    {
        glDisable(GL_TEXTURE_2D);
        glBegin(GL_POINTS);
        for (int i = 0; i < 40000; ++i) {
            glColor3ub(static_cast<GLubyte>(i * 7), static_cast<GLubyte>(i * 13),
                       static_cast<GLubyte>(i * 29));
            glVertex3f(static_cast<float>((i * 37) % 800 - 400), static_cast<float>((i * 91) % 600 - 300),
                       0.0f);
        }
        glEnd();
        glEnable(GL_TEXTURE_2D);
    }

    // In a death test's child: the video and the graphics device.
    void startGraphics()
    {
        startVideo();
        qel->graphics = new QelGraphics();
        graphics = qel->graphics;
    }

    QelGraphics* graphics = nullptr;
    QelInput* input = nullptr;
};

constexpr u32 RGB_RED = 0x0000ff;
constexpr u32 RGB_GREEN = 0x00ff00;
constexpr u32 RGB_BLUE = 0xff0000;
constexpr u32 RGB_WHITE = 0xffffff;
constexpr u32 RGB_BLACK = 0x000000;
