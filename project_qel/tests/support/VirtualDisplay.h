#pragma once
// An X server of its own (Xvfb) for a test whose pointer no other client may
// move, and the child-process helpers that start it. The end-to-end runs of
// project_top start the game on one; the engine tests that grab or warp the
// pointer open their SDL window on one.
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
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
// screen of the given size and depth; `display` (":N") stays empty when it
// could not be started. The server is ready for clients once constructed.
class VirtualDisplay {
public:
    explicit VirtualDisplay(const std::string& screen = "1024x768x24")
    {
        int fds[2];
        if (pipe(fds) != 0) {
            return;
        }
        // The server gets only the write end.
        fcntl(fds[0], F_SETFD, FD_CLOEXEC);
        // -noreset: without it the server resets whenever its last client
        // leaves, and a program that connects meanwhile is refused (SDL opens
        // the display twice: the first connection only looks at it).
        pid = childprocess::spawn({"Xvfb", "-displayfd", std::to_string(fds[1]), "-screen", "0", screen,
                                   "-nolisten", "tcp", "-noreset"},
                                  {});
        close(fds[1]);
        // The server writes its display number once it takes connections,
        // then a newline in a write of its own: it ends with a fatal error
        // when that write finds the pipe closed, so the pipe stays open up to
        // the newline. A server that could not start closes it unwritten.
        std::string number;
        char ch = 0;
        while (number.size() < 16) {
            const ssize_t n = read(fds[0], &ch, 1);
            if (n < 0 && errno == EINTR) {
                continue;
            }
            if (n <= 0 || ch == '\n') {
                break;
            }
            number += ch;
        }
        close(fds[0]);
        if (ch == '\n' && !number.empty()) {
            display = ":" + number;
        }
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
};
