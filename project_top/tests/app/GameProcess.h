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
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "graphics/MemoryImageFile.h"
#include "support/FileCore.h"

namespace e2e {

// Starts a program with its arguments and the extra environment, in `folder`
// when one is given; returns its process id, or -1 when it could not fork.
inline pid_t spawn(const std::vector<std::string>& args, const std::vector<std::string>& environment,
                   const std::string& folder = "")
{
    const pid_t child = fork();
    if (child == 0) {
        if (!folder.empty() && chdir(folder.c_str()) != 0) {
            _exit(126);
        }
        for (const std::string& assignment : environment) {
            putenv(const_cast<char*>(assignment.c_str()));
        }
        std::vector<char*> argv;
        for (const std::string& arg : args) {
            argv.push_back(const_cast<char*>(arg.c_str()));
        }
        argv.push_back(nullptr);
        execvp(argv[0], argv.data());
        _exit(127);
    }
    return child;
}

inline int waitFor(pid_t child)
{
    int status = 0;
    if (waitpid(child, &status, 0) != child) {
        return -1;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

inline void pause(double seconds)
{
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
}

// An X server of its own, on the first free display number.
class VirtualDisplay {
public:
    VirtualDisplay()
    {
        int fds[2];
        if (pipe(fds) != 0) {
            return;
        }
        // -noreset: without it the server resets whenever its last client
        // leaves, and a program that connects meanwhile (the next start of
        // the game) is refused.
        pid = spawn({"Xvfb", "-displayfd", std::to_string(fds[1]), "-screen", "0", "1024x768x24", "-nolisten",
                     "tcp", "-noreset"},
                    {});
        close(fds[1]);
        char digits[16] = {};
        ssize_t n = read(fds[0], digits, sizeof(digits) - 1);
        close(fds[0]);
        if (n > 0) {
            display = ":" + std::string(digits, static_cast<size_t>(n - (digits[n - 1] == '\n' ? 1 : 0)));
        }
    }
    ~VirtualDisplay()
    {
        if (pid > 0) {
            kill(pid, SIGTERM);
            waitFor(pid);
        }
    }
    VirtualDisplay(const VirtualDisplay&) = delete;
    VirtualDisplay& operator=(const VirtualDisplay&) = delete;

    pid_t pid = -1;
    std::string display;
};

// One run of the game. The test's own engine core reads the screenshots.
class GameProcess {
public:
    GameProcess(const std::string& gameFolder, const std::string& userFolder, const VirtualDisplay& x)
        : folder(gameFolder), user(userFolder), display(x.display)
    {
        // In a sanitizer build the X and OpenGL libraries keep allocations
        // to the end of the process; the unit tests check the program's own.
        pid = spawn({VABO_GAME_BINARY},
                    {"DISPLAY=" + display, "U3_APP_DATA_PATH=" + user, "SDL_AUDIODRIVER=dummy",
                     "ASAN_OPTIONS=detect_leaks=0"},
                    folder);
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
    // A key held over a few frames, so the game sees it down.
    void key(const std::string& name) const
    {
        xdotool({"keydown", name});
        pause(0.1);
        xdotool({"keyup", name});
    }
    // A press held over a few frames, so the game sees the button down.
    void click() const
    {
        xdotool({"mousedown", "1"});
        pause(0.15);
        xdotool({"mouseup", "1"});
    }
    // A quick press and release, as a tap of a touchpad: both may reach the
    // game between two of its frames.
    void tap(const std::string& name) const { xdotool({"key", name}); }
    void quickClick() const { xdotool({"click", "1"}); }
    // Moves the game's pointer (which follows relative motion) by pixels.
    void moveBy(int dx, int dy) const { xdotool({"mousemove_relative", "--", std::to_string(dx), std::to_string(dy)}); }

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
};

} // namespace e2e
