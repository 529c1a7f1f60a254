// A test's own X server: it ends with the test however the test ends, holds
// none of the test's descriptors, and one that cannot start fails the test
// at once, saying why.
#include "support/VirtualDisplay.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <set>
#include <sstream>
#include <thread>
#include <vector>

#include "support/ScopedEnv.h"
#include "support/TempFolder.h"
#include "system/SystemUtils.h"

namespace {

using Clock = std::chrono::steady_clock;

// Far longer than any of these children takes: a bound, so that output held
// open fails the test instead of hanging it.
constexpr std::chrono::seconds OUTPUT_BOUND{30};
constexpr std::chrono::seconds SERVER_END_BOUND{10};

// Reads the pipe to its end; false when it is still open at the bound.
bool readToEnd(int fd, std::string& text)
{
    const Clock::time_point deadline = Clock::now() + OUTPUT_BOUND;
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0) {
            return false;
        }
        pollfd watch{fd, POLLIN, 0};
        const int ready = poll(&watch, 1, static_cast<int>(left.count()));
        if (ready <= 0) {
            continue;
        }
        char buffer[512];
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return n == 0;
        }
        text.append(buffer, static_cast<size_t>(n));
    }
}

// What a forked child wrote to its standard output and error, whether that
// output came to its end, and how the child ended.
struct ChildRun {
    std::string output;
    bool outputEnded = false;
    int status = 0;
};

ChildRun runChild(const std::function<void()>& body)
{
    ChildRun run;
    int out[2];
    if (pipe(out) != 0) {
        run.output = "no pipe";
        return run;
    }
    // Nothing of the test's own buffered output goes out twice.
    std::fflush(nullptr);
    const pid_t child = fork();
    if (child == 0) {
        dup2(out[1], 1);
        dup2(out[1], 2);
        close(out[0]);
        close(out[1]);
        body();
        _exit(2);
    }
    close(out[1]);
    run.outputEnded = readToEnd(out[0], run.output);
    close(out[0]);
    if (!run.outputEnded) {
        kill(child, SIGKILL);
    }
    waitpid(child, &run.status, 0);
    return run;
}

// Gone, or a zombie: the container's init may never reap it.
bool processGone(pid_t process)
{
    std::ifstream stat("/proc/" + std::to_string(process) + "/stat");
    std::string line;
    if (!std::getline(stat, line)) {
        return true;
    }
    const size_t nameEnd = line.rfind(')');
    return nameEnd != std::string::npos && nameEnd + 2 < line.size() && line[nameEnd + 2] == 'Z';
}

bool goneWithinBound(pid_t process)
{
    const Clock::time_point deadline = Clock::now() + SERVER_END_BOUND;
    while (!processGone(process)) {
        if (Clock::now() >= deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return true;
}

// The test process's children, running or not yet reaped.
std::set<pid_t> children()
{
    std::set<pid_t> found;
    std::error_code unreadable;
    for (const auto& entry : std::filesystem::directory_iterator("/proc", unreadable)) {
        const std::string name = entry.path().filename().string();
        if (name.find_first_not_of("0123456789") != std::string::npos) {
            continue;
        }
        std::ifstream stat(entry.path() / "stat");
        std::string line;
        const size_t nameEnd = std::getline(stat, line) ? line.rfind(')') : std::string::npos;
        if (nameEnd == std::string::npos) {
            continue;
        }
        std::istringstream fields(line.substr(nameEnd + 1));
        std::string state;
        pid_t parent = 0;
        if (fields >> state >> parent && parent == getpid()) {
            found.insert(static_cast<pid_t>(std::stoi(name)));
        }
    }
    return found;
}

std::string linkTarget(const std::string& link)
{
    std::error_code ignored;
    return std::filesystem::read_symlink(link, ignored).string();
}

} // namespace

TEST(VirtualDisplay, EndsWithATestProcessThatEndsWithoutUnwinding)
{
    struct Ending {
        const char* way;
        // A signal the test blocks before it makes its display, or 0.
        int blocked;
        void (*end)();
        // The exit status, or the signal when not zero.
        int exitCode;
        int signal;
    };
    const Ending endings[] = {
        {"exit", 0, [] { std::exit(0); }, 0, 0},
        {"abort", 0, [] { std::abort(); }, 0, SIGABRT},
        {"the engine's fatal path", 0, [] { exitWithError(); }, 255, 0},
        {"killed", 0, [] { raise(SIGKILL); }, 0, SIGKILL},
        {"exit with SIGTERM blocked", SIGTERM, [] { std::exit(0); }, 0, 0},
    };
    for (const Ending& ending : endings) {
        SCOPED_TRACE(ending.way);
        const ChildRun run = runChild([&ending] {
            // No core file from the abort.
            const rlimit noCore{0, 0};
            setrlimit(RLIMIT_CORE, &noCore);
            if (ending.blocked != 0) {
                sigset_t blocked;
                sigemptyset(&blocked);
                sigaddset(&blocked, ending.blocked);
                sigprocmask(SIG_BLOCK, &blocked, nullptr);
            }
            try {
                VirtualDisplay x;
                const std::string line = std::to_string(x.pid) + "\n";
                (void)!write(1, line.data(), line.size());
                ending.end();
            } catch (const std::exception& failure) {
                (void)!write(2, failure.what(), std::strlen(failure.what()));
            }
        });
        EXPECT_TRUE(run.outputEnded) << "the test's output stayed open after it ended: " << run.output;
        if (ending.signal != 0) {
            EXPECT_TRUE(WIFSIGNALED(run.status) && WTERMSIG(run.status) == ending.signal) << run.output;
        } else {
            EXPECT_TRUE(WIFEXITED(run.status) && WEXITSTATUS(run.status) == ending.exitCode) << run.output;
        }
        const pid_t server = static_cast<pid_t>(std::atoi(run.output.c_str()));
        ASSERT_GT(server, 0) << run.output;
        const bool gone = goneWithinBound(server);
        EXPECT_TRUE(gone) << "the server outlived the test";
        if (!gone) {
            // It may have SIGTERM blocked.
            kill(server, SIGKILL);
        }
    }
}

TEST(VirtualDisplay, TheServerHoldsNoneOfTheTestsDescriptors)
{
    // Stands for the test's output as a test runner reads it, and is left to
    // be inherited.
    int output[2];
    ASSERT_EQ(pipe(output), 0);
    std::set<std::string> testsOwn = {linkTarget("/proc/self/fd/" + std::to_string(output[0])),
                                      linkTarget("/proc/self/fd/" + std::to_string(output[1]))};
    for (const char* standard : {"/proc/self/fd/1", "/proc/self/fd/2"}) {
        if (linkTarget(standard) != "/dev/null") {
            testsOwn.insert(linkTarget(standard));
        }
    }
    {
        VirtualDisplay x;
        const std::string serverFds = "/proc/" + std::to_string(x.pid) + "/fd/";
        EXPECT_EQ(linkTarget(serverFds + "0"), "/dev/null");
        EXPECT_EQ(linkTarget(serverFds + "1"), "/dev/null");
        EXPECT_THAT(linkTarget(serverFds + "2"), testing::EndsWith(" (deleted)")) << "a file nobody else opens";
        int seen = 0;
        for (const auto& entry : std::filesystem::directory_iterator(serverFds)) {
            EXPECT_EQ(testsOwn.count(linkTarget(entry.path())), 0u)
                << entry.path() << " -> " << linkTarget(entry.path());
            ++seen;
        }
        EXPECT_GE(seen, 3);
    }
    close(output[0]);
    close(output[1]);
}

TEST(VirtualDisplay, AServerThatCannotStartThrowsSayingWhy)
{
    struct Refusal {
        const char* what;
        // PATH unchanged when null; else PATH is a folder that holds only
        // an executable Xvfb with this text, or nothing when it is empty.
        const char* xvfbText;
        const char* screen;
        std::vector<const char*> told;
        // How long it waits for the server to name its display.
        std::chrono::seconds namingLimit = VirtualDisplay::NAMING_LIMIT;
    };
    const Refusal refusals[] = {
        {"no Xvfb on PATH", "", "1024x768x24", {"Xvfb could not be started", "PATH"}},
        {"an Xvfb that is no program", "not a program\n", "1024x768x24",
         {"Xvfb could not be started", "could not be run"}},
        {"a screen Xvfb refuses", nullptr, "not-a-size",
         {"Xvfb could not be started", "exit status 1", "Invalid screen configuration"}},
        {"an Xvfb that stays up and names no display", "#!/bin/sh\necho starting >&2\nexec /bin/sleep 600\n",
         "1024x768x24",
         {"Xvfb could not be started", "it named no display within 1 s and was stopped", "starting"},
         std::chrono::seconds{1}},
    };
    for (const Refusal& refusal : refusals) {
        SCOPED_TRACE(refusal.what);
        TempFolder folder;
        std::optional<ScopedEnv> path;
        if (refusal.xvfbText != nullptr) {
            if (*refusal.xvfbText != '\0') {
                TempFolder::writeFile(folder.path + "/Xvfb", refusal.xvfbText);
                std::filesystem::permissions(folder.path + "/Xvfb", std::filesystem::perms::owner_all);
            }
            path.emplace("PATH", folder.path.c_str());
        }
        const std::set<pid_t> before = children();
        std::string message;
        try {
            VirtualDisplay x(refusal.screen, refusal.namingLimit);
            ADD_FAILURE() << "started on " << x.display;
        } catch (const std::runtime_error& failure) {
            message = failure.what();
        }
        for (const char* told : refusal.told) {
            EXPECT_THAT(message, testing::HasSubstr(told));
        }
        EXPECT_EQ(children(), before) << "a server left running or unreaped";
    }
}

// The engine would otherwise look for a display that is not there and end
// the whole test program.
TEST(VirtualDisplay, AGrabbedInputTestWhoseServerCannotStartFailsBeforeTheEngineStarts)
{
    TempFolder folder;
    const std::string emptyPath = folder.path;
    const ChildRun run = runChild([&emptyPath] {
        setenv("PATH", emptyPath.c_str(), 1);
        char program[] = "/proc/self/exe";
        char filter[] = "--gtest_filter=GrabbedInput.*";
        char* const argv[] = {program, filter, nullptr};
        execv(program, argv);
    });
    ASSERT_TRUE(run.outputEnded) << run.output;
    EXPECT_TRUE(WIFEXITED(run.status) && WEXITSTATUS(run.status) == 1) << run.output;
    EXPECT_THAT(run.output, testing::HasSubstr("Xvfb could not be started: no Xvfb on PATH"));
    EXPECT_THAT(run.output, testing::HasSubstr("thrown in the test fixture's constructor"));
    EXPECT_THAT(run.output, testing::Not(testing::HasSubstr("[       OK ]")));
    EXPECT_THAT(run.output, testing::Not(testing::HasSubstr("OpenGL")));
}
