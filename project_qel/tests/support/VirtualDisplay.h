#pragma once
// An X server of its own (Xvfb) for a test whose pointer no other client may
// move, and the child-process helpers that the end-to-end runs of
// project_top start the game and xdotool with. The end-to-end runs start the
// game on one; the engine tests that grab or warp the pointer open their SDL
// window on one.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

namespace childprocess {

// Starts a program with its arguments and the extra environment (each entry
// as putenv takes it: "NAME=value" adds or overrides, a bare "NAME" unsets),
// in `folder` when one is given; returns its process id, or -1 when it
// could not fork.
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

// Waits for a child to end; its exit status, 128 + the signal that ended
// it, or -1.
inline int waitFor(pid_t child)
{
    int status = 0;
    if (waitpid(child, &status, 0) != child) {
        return -1;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

} // namespace childprocess

// An X server of its own, on the first free display number, with one
// screen of the given size and depth, ready for clients once constructed.
// A server that cannot be started throws std::runtime_error, which names
// Xvfb and why, before any client looks for it; so does one that names no
// display within namingLimit, after it is stopped. The server ends with
// the test: the destructor stops it in order, and a test process that ends
// without unwinding (exit, abort, a crash, a kill) takes it along by the
// death signal, even when the test blocks that signal. It holds none of the
// test's descriptors, so whoever reads the test's output sees it end when
// the test ends.
// The death signal follows the thread that started the server, not the
// process: make a VirtualDisplay on a thread that outlives it (the test's
// main thread).
class VirtualDisplay {
public:
    // Far longer than a server takes to start on a loaded machine.
    static constexpr std::chrono::seconds NAMING_LIMIT{60};

    explicit VirtualDisplay(const std::string& screen = "1024x768x24",
                            std::chrono::seconds namingLimit = NAMING_LIMIT)
    {
        const char* path = std::getenv("PATH");
        const std::string folders = path != nullptr ? path : "/usr/bin:/bin";
        const std::string program = inFolders("Xvfb", folders);
        if (program.empty()) {
            fail("no Xvfb on PATH (" + folders + ")");
        }
        // Everything the child needs is made before the fork: it may not
        // allocate between fork and exec.
        const Descriptor quiet(open("/dev/null", O_RDWR | O_CLOEXEC));
        char errorsName[] = "/tmp/vabo-xvfb-XXXXXX";
        const Descriptor errors(mkostemp(errorsName, O_CLOEXEC));
        if (errors.fd >= 0) {
            unlink(errorsName);
        }
        int fds[2] = {-1, -1};
        const bool piped = pipe2(fds, O_CLOEXEC) == 0;
        const Descriptor displayRead(fds[0]);
        Descriptor displayWrite(fds[1]);
        if (quiet.fd < 0 || errors.fd < 0 || !piped) {
            fail(std::string("no descriptors for it: ") + std::strerror(errno));
        }
        // -noreset: without it the server resets whenever its last client
        // leaves, and a program that connects meanwhile is refused (SDL opens
        // the display twice: the first connection only looks at it).
        std::vector<std::string> args = {program, "-displayfd", std::to_string(DISPLAY_FD), "-screen", "0",
                                         screen, "-nolisten", "tcp", "-noreset"};
        std::vector<char*> argv;
        for (std::string& arg : args) {
            argv.push_back(arg.data());
        }
        argv.push_back(nullptr);
        const int kept[DISPLAY_FD + 1] = {quiet.fd, quiet.fd, errors.fd, displayWrite.fd};
        // Bounds the closing loop of a kernel without close_range.
        const int descriptorLimit = static_cast<int>(std::min(sysconf(_SC_OPEN_MAX), 65536L));
        const pid_t parent = getpid();
        pid = fork();
        if (pid == 0) {
            becomeServer(parent, kept, descriptorLimit, argv.data());
        }
        if (pid < 0) {
            fail(std::string("fork failed: ") + std::strerror(errno));
        }
        displayWrite.close();
        // The server writes its display number once it takes connections,
        // then a newline in a write of its own: it ends with a fatal error
        // when that write finds the pipe closed, so the pipe stays open up to
        // the newline. A server that could not start closes it unwritten.
        const auto deadline = std::chrono::steady_clock::now() + namingLimit;
        std::string number;
        char ch = 0;
        while (number.size() < 16) {
            const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
            if (left.count() <= 0) {
                stop(pid);
                pid = -1;
                fail("it named no display within " + std::to_string(namingLimit.count()) + " s and was stopped" +
                     lastWords(errors.fd));
            }
            pollfd watch{displayRead.fd, POLLIN, 0};
            const int ready = poll(&watch, 1, static_cast<int>(std::min<long long>(left.count(), INT_MAX)));
            if (ready == 0 || (ready < 0 && errno == EINTR)) {
                continue;
            }
            const ssize_t n = ready < 0 ? -1 : read(displayRead.fd, &ch, 1);
            if (n < 0 && errno == EINTR) {
                continue;
            }
            if (n <= 0 || ch == '\n') {
                break;
            }
            number += ch;
        }
        if (ch == '\n' && !number.empty()) {
            display = ":" + number;
            return;
        }
        const std::string ending = howItEnded(pid);
        pid = -1;
        fail(ending + lastWords(errors.fd));
    }
    ~VirtualDisplay()
    {
        if (pid > 0) {
            kill(pid, SIGTERM);
            childprocess::waitFor(pid);
        }
    }
    VirtualDisplay(const VirtualDisplay&) = delete;
    VirtualDisplay& operator=(const VirtualDisplay&) = delete;

    pid_t pid = -1;
    std::string display;

private:
    // The server's end of the pipe it names its display on.
    static constexpr int DISPLAY_FD = 3;

    class Descriptor {
    public:
        explicit Descriptor(int descriptor) : fd(descriptor) {}
        ~Descriptor() { close(); }
        Descriptor(const Descriptor&) = delete;
        Descriptor& operator=(const Descriptor&) = delete;
        void close()
        {
            if (fd >= 0) {
                ::close(fd);
            }
            fd = -1;
        }
        int fd;
    };

    [[noreturn]] static void fail(const std::string& why)
    {
        throw std::runtime_error("Xvfb could not be started: " + why);
    }

    // The file execvp would run for the name with these folders as PATH, or
    // "" when none has it; looked up here because the child may not allocate.
    static std::string inFolders(const std::string& name, const std::string& folders)
    {
        size_t start = 0;
        while (start <= folders.size()) {
            const size_t end = std::min(folders.find(':', start), folders.size());
            const std::string folder = folders.substr(start, end - start);
            const std::string file = (folder.empty() ? std::string(".") : folder) + "/" + name;
            if (access(file.c_str(), X_OK) == 0) {
                return file;
            }
            start = end + 1;
        }
        return "";
    }

    // The forked child, which becomes the server: only async-signal-safe
    // calls up to the exec.
    [[noreturn]] static void becomeServer(pid_t parent, const int (&kept)[DISPLAY_FD + 1], int descriptorLimit,
                                          char* const argv[])
    {
        // SIGTERM, so that the server removes its lock file and socket.
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        // The parent may have ended before the death signal was asked for.
        if (getppid() != parent) {
            _exit(1);
        }
        // The mask is inherited: the server of a test that blocks SIGTERM
        // would not end on its death signal nor on the destructor's SIGTERM.
        sigset_t none;
        sigemptyset(&none);
        sigprocmask(SIG_SETMASK, &none, nullptr);
        // Copies above the fixed numbers first, so that no dup2 overwrites a
        // descriptor that is still to be moved.
        int high[DISPLAY_FD + 1];
        for (int fd = 0; fd <= DISPLAY_FD; ++fd) {
            high[fd] = fcntl(kept[fd], F_DUPFD, 10);
            if (high[fd] < 0) {
                _exit(126);
            }
        }
        for (int fd = 0; fd <= DISPLAY_FD; ++fd) {
            if (dup2(high[fd], fd) != fd) {
                _exit(126);
            }
        }
        if (close_range(DISPLAY_FD + 1, ~0U, 0) != 0) {
            for (int fd = DISPLAY_FD + 1; fd < descriptorLimit; ++fd) {
                ::close(fd);
            }
        }
        execv(argv[0], argv);
        _exit(127);
    }

    // Reaps a server that is to end; one that lingers is killed after a
    // while. What waitpid gave: the server, 0 when it was killed, or -1.
    static pid_t reap(pid_t server, int& status)
    {
        pid_t ended = 0;
        for (int tries = 0; tries < 100 && ended == 0; ++tries) {
            ended = waitpid(server, &status, WNOHANG);
            if (ended == 0) {
                usleep(100000);
            }
        }
        if (ended == 0) {
            kill(server, SIGKILL);
            waitpid(server, &status, 0);
        }
        return ended;
    }

    // Ends a server that never named its display: SIGTERM first, so that a
    // real one removes its lock file and socket.
    static void stop(pid_t server)
    {
        kill(server, SIGTERM);
        int status = 0;
        reap(server, status);
    }

    // Waits for a server that closed the pipe without a display number.
    static std::string howItEnded(pid_t server)
    {
        int status = 0;
        const pid_t ended = reap(server, status);
        if (ended == 0) {
            return "it named no display and was killed";
        }
        if (ended < 0) {
            return "it was lost";
        }
        if (WIFSIGNALED(status)) {
            return std::string("it ended on signal ") + std::to_string(WTERMSIG(status)) + " (" +
                   strsignal(WTERMSIG(status)) + ") before it named its display";
        }
        const int code = WEXITSTATUS(status);
        return code == 127 ? std::string("it could not be run (exit status 127)")
               : code == 126 ? std::string("its descriptors could not be set up (exit status 126)")
                             : "it ended with exit status " + std::to_string(code) + " before it named its display";
    }

    // The end of what the server wrote to its standard error.
    static std::string lastWords(int errors)
    {
        char text[2048];
        const off_t size = lseek(errors, 0, SEEK_END);
        const off_t from = std::max<off_t>(0, size - off_t(sizeof text));
        const ssize_t n = size > 0 ? pread(errors, text, sizeof text, from) : 0;
        std::string words(text, size_t(std::max<ssize_t>(n, 0)));
        // From the first whole line of the end.
        if (from > 0 && words.find('\n') != std::string::npos) {
            words.erase(0, words.find('\n') + 1);
        }
        return words.empty() ? "" : "; it wrote:\n" + words;
    }
};
