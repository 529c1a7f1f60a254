#pragma once
// The real program run as the player runs it: from a game folder that holds
// the data pack and the edition file, with a fresh per-user folder, on a
// virtual X server of its own, driven by X input events (xdotool) and
// watched through its own screenshots (F9) and its log.
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "graphics/MemoryImageFile.h"
#include "support/FileCore.h"
#include "support/VirtualDisplay.h"

namespace e2e {

using childprocess::spawn;
using childprocess::waitFor;
// The game's X server (the class is shared with the engine tests).
using ::VirtualDisplay;

inline void pause(double seconds)
{
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
}

// A game folder as the build leaves it (the data pack, the edition file and
// the documentation, linked) and an empty per-user folder.
inline void makeGameFolders(const std::string& game, const std::string& user)
{
    std::filesystem::create_directories(game);
    std::filesystem::create_directories(user);
    for (const char* name : {"Vabodemo.dat", "Vabodemo.cfg.static", "readme.htm"}) {
        std::filesystem::create_symlink(std::string(VABO_GAME_DIR "/") + name, game + "/" + name);
    }
}

// One run of the game. The test's own engine core reads the screenshots.
class GameProcess {
public:
    // `environment` adds to or overrides the variables the game gets.
    GameProcess(const std::string& gameFolder, const std::string& userFolder, const VirtualDisplay& x,
                const std::vector<std::string>& environment = {})
        : folder(gameFolder), user(userFolder), display(x.display)
    {
        // In a sanitizer build the X and OpenGL libraries keep allocations
        // to the end of the process; the unit tests check the program's own.
        std::vector<std::string> variables = {"DISPLAY=" + display, "U3_APP_DATA_PATH=" + user,
                                              "SDL_AUDIODRIVER=dummy", "ASAN_OPTIONS=detect_leaks=0"};
        variables.insert(variables.end(), environment.begin(), environment.end());
        pid = spawn({VABO_GAME_BINARY}, variables, folder);
    }
    ~GameProcess()
    {
        if (pid > 0) {
            kill(pid, SIGKILL);
            waitFor(pid);
        }
    }
    GameProcess(const GameProcess&) = delete;
    GameProcess& operator=(const GameProcess&) = delete;

    int xdotool(std::vector<std::string> args) const
    {
        args.insert(args.begin(), "xdotool");
        return waitFor(spawn(args, {"DISPLAY=" + display}));
    }
    // A key held over a few frames, so the game sees it down, then let go
    // for a few, so that the same key pressed next is a new press.
    void key(const std::string& name) const
    {
        xdotool({"keydown", name});
        pause(0.1);
        xdotool({"keyup", name});
        pause(0.05);
    }
    // A press held over a few frames, so the game sees the button down.
    void click() const
    {
        xdotool({"mousedown", "1"});
        pause(0.25);
        xdotool({"mouseup", "1"});
    }
    // A quick press and release, as a tap of a touchpad: both may reach the
    // game between two of its frames.
    void tap(const std::string& name) const { xdotool({"key", name}); }
    void quickClick() const { xdotool({"click", "1"}); }
    // Moves the game's pointer (which follows relative motion) by pixels.
    void moveBy(int dx, int dy) const { xdotool({"mousemove_relative", "--", std::to_string(dx), std::to_string(dy)}); }
    // Gives the game's window the keyboard focus, as a window manager does
    // when the player clicks it (the virtual X server has none).
    void focusWindow() const { xdotool({"search", "--name", "^Vabodemo$", "windowfocus"}); }
    // Each character typed as its own key (letters, digits, space).
    void typeText(const std::string& text) const
    {
        for (const char ch : text) {
            key(ch == ' ' ? std::string("space") : std::string(1, ch));
        }
    }
    // The pointer moved to a point of the 800 x 600 view (origin at the
    // centre, y up) from where the test last left it, then a click there.
    // The game moves its pointer by `pointerScale` units per pixel.
    void moveTo(float x, float y)
    {
        const int dx = static_cast<int>(std::lround((x - pointerX) / pointerScale));
        const int dy = static_cast<int>(std::lround((y - pointerY) / pointerScale));
        if (dx != 0 || dy != 0) {
            moveBy(dx, -dy);
        }
        pointerX += float(dx) * pointerScale;
        pointerY += float(dy) * pointerScale;
        pause(0.3);
    }
    void clickAt(float x, float y)
    {
        if (windowWidth > 0) {
            pressInWindow(x, y);
        } else {
            moveTo(x, y);
        }
        click();
        pause(0.3);
    }
    // From now on the game runs in a window of that size: its pointer is let
    // go at the window's edge and caught again where the next press lands.
    void useWindow(int width, int height)
    {
        windowWidth = width;
        windowHeight = height;
    }
    // The game's pointer pushed past the left edge, so that it lets go, and
    // the system's pointer put on the point, where a press catches it. The
    // game brings the system's pointer back to the middle of the window
    // after each move, so each push goes at most that far.
    void pressInWindow(float x, float y)
    {
        for (int i = 0; i < 4; ++i) {
            moveBy(-4000, 0);
            pause(0.15);
        }
        const int px = static_cast<int>((x + 400.0f) / 800.0f * float(windowWidth));
        const int py = static_cast<int>((300.0f - y) / 600.0f * float(windowHeight));
        xdotool({"search", "--name", "^Vabodemo$", "mousemove", "--window", "%1", std::to_string(px),
                 std::to_string(py)});
        pause(0.3);
        pointerX = x;
        pointerY = y;
    }

    bool running()
    {
        if (pid <= 0) {
            return false;
        }
        int status = 0;
        const pid_t done = waitpid(pid, &status, WNOHANG);
        if (done == pid) {
            exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
            pid = -1;
            return false;
        }
        return true;
    }
    // Waits (up to a minute) until the program has ended; its exit status.
    int waitForExit()
    {
        for (int i = 0; i < 600 && running(); ++i) {
            pause(0.1);
        }
        return exitStatus;
    }

    std::vector<std::filesystem::path> screenshots() const
    {
        std::vector<std::filesystem::path> found;
        std::error_code missing;
        for (const auto& entry : std::filesystem::directory_iterator(user + "/1.30", missing)) {
            if (entry.path().extension() == ".jpg" && entry.path().filename().string().rfind("crash.", 0) != 0) {
                found.push_back(entry.path());
            }
        }
        std::sort(found.begin(), found.end());
        return found;
    }
    // Takes a screenshot with F9 and reads it; null when none came within a
    // few seconds.
    std::unique_ptr<MemoryImageFile> screenshot()
    {
        const size_t before = screenshots().size();
        key("F9");
        for (int i = 0; i < 50 && screenshots().size() == before; ++i) {
            pause(0.1);
        }
        const auto shots = screenshots();
        if (shots.size() == before) {
            return nullptr;
        }
        pause(0.2);
        return std::make_unique<MemoryImageFile>(UString(shots.back().string()), false);
    }
    // Screenshots until one shows the colour (RGB) at window pixel (x, y),
    // for up to `seconds`.
    bool waitForColour(int x, int y, u32 rgb, double seconds, int tolerance = 12)
    {
        const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
        while (std::chrono::steady_clock::now() < end && running()) {
            if (auto image = screenshot()) {
                if (image->pImageData != nullptr && x < image->width && y < image->height &&
                    near(image->pImageData[y * image->width + x], rgb, tolerance)) {
                    return true;
                }
            }
            pause(0.2);
        }
        return false;
    }
    // The same at a point of the game's 800 x 600 view (origin at the
    // centre, y up), whatever the size of the window.
    bool waitForViewColour(float x, float y, u32 rgb, double seconds, int tolerance = 12)
    {
        const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
        while (std::chrono::steady_clock::now() < end && running()) {
            if (auto image = screenshot(); image != nullptr && image->pImageData != nullptr) {
                const int px = static_cast<int>((x + 400.0f) / 800.0f * float(image->width));
                const int py = static_cast<int>((300.0f - y) / 600.0f * float(image->height));
                if (px >= 0 && py >= 0 && px < image->width && py < image->height &&
                    near(image->pImageData[py * image->width + px], rgb, tolerance)) {
                    return true;
                }
            }
            pause(0.2);
        }
        return false;
    }
    // Space through the start-up screens until the main menu shows (the
    // left end of its start button), or a panel over it (the name entry);
    // false when neither came.
    bool skipToMainMenu()
    {
        constexpr float START_BUTTON_X = -140.0f;
        constexpr u32 BUTTON_GREEN = 0x276922;
        constexpr float PANEL_Y = 42.0f;
        constexpr u32 PANEL_BLUE = 0x7B4B29;
        for (int i = 0; i < 60 && running(); ++i) {
            key("space");
            if (waitForViewColour(START_BUTTON_X, 0.0f, BUTTON_GREEN, 0.5) ||
                waitForViewColour(START_BUTTON_X, PANEL_Y, PANEL_BLUE, 0.1)) {
                return true;
            }
        }
        return false;
    }
    static bool near(u32 pixel, u32 rgb, int tolerance)
    {
        for (int shift = 0; shift < 24; shift += 8) {
            const int a = static_cast<int>((pixel >> shift) & 0xff);
            const int b = static_cast<int>((rgb >> shift) & 0xff);
            if (std::abs(a - b) > tolerance) {
                return false;
            }
        }
        return true;
    }
    std::string log() const { return TempFolder::readFile(folder + "/Vabodemo.log"); }

    std::string folder;
    std::string user;
    std::string display;
    pid_t pid = -1;
    int exitStatus = -1;
    // Where the game's pointer stands; it starts at the centre.
    float pointerX = 0.0f;
    float pointerY = 0.0f;
    float pointerScale = 1.0f;
    // The size of the game's window; 0 while it runs full screen.
    int windowWidth = 0;
    int windowHeight = 0;
};

} // namespace e2e
