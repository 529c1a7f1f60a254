#pragma once
// The engine core with a file manager, plus what file tests look at: the
// log, the crash log of a fatal error in a death test's child process, and
// a disk that fills up.
#include <sys/resource.h>

#include <csignal>
#include <cstdio>
#include <string>

#include <gtest/gtest.h>

#include "engine/Logger.h"
#include "file/FileManager.h"
#include "support/EngineCore.h"

class FileCore : public EngineCore {
public:
    explicit FileCore(bool createWad = false, bool useWad = true, bool compressWad = false)
    {
        qel->fileManager = new FileManager(createWad, useWad, compressWad);
        files = qel->fileManager;
    }
    ~FileCore() { deleteFileManager(); }

    // Ends the manager's life now (in creation mode: writes the archives).
    void deleteFileManager()
    {
        delete qel->fileManager;
        qel->fileManager = nullptr;
        files = nullptr;
    }

    std::string logText() const
    {
        qel->logger->flush();
        return TempFolder::readFile(folder.path + "/Vabodemo.log");
    }
    std::string crashLogPath() const { return folder.userFolder() + "crash.Vabodemo.log"; }

    FileManager* files = nullptr;
};

// The statement must end the process through the fatal-error path, and the
// crash log it leaves must hold `text`.
#define EXPECT_FATAL_WITH(core, statement, text)                                              \
    do {                                                                                      \
        std::remove((core).crashLogPath().c_str());                                           \
        EXPECT_EXIT(                                                                          \
            {                                                                                 \
                std::freopen("/dev/null", "w", stdout);                                       \
                statement;                                                                    \
            },                                                                                \
            testing::ExitedWithCode(255), "");                                                \
        EXPECT_NE(TempFolder::readFile((core).crashLogPath()).find(text), std::string::npos) \
            << "crash log lacks: " << (text);                                                 \
    } while (0)

// While it lives, files cannot grow past `bytes`: writes beyond fail as on
// a full disk.
class FullDisk {
public:
    explicit FullDisk(rlim_t bytes)
    {
        previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &previous);
        rlimit limited = previous;
        limited.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FullDisk()
    {
        setrlimit(RLIMIT_FSIZE, &previous);
        std::signal(SIGXFSZ, previousHandler);
    }
    FullDisk(const FullDisk&) = delete;
    FullDisk& operator=(const FullDisk&) = delete;

private:
    rlimit previous{};
    void (*previousHandler)(int) = nullptr;
};
