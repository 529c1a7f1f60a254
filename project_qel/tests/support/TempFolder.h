#pragma once
// A fresh folder for one test, made the working folder and the per-user
// folder (U3_APP_DATA_PATH), removed again afterwards.
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

class TempFolder {
public:
    TempFolder()
    {
        char pattern[] = "/tmp/vabo-test-XXXXXX";
        const char* made = mkdtemp(pattern);
        path = made != nullptr ? made : "/tmp";
        previous = std::filesystem::current_path();
        std::filesystem::current_path(path);
        setenv("U3_APP_DATA_PATH", path.c_str(), 1);
    }
    ~TempFolder()
    {
        std::error_code ignored;
        std::filesystem::current_path(previous, ignored);
        std::filesystem::remove_all(path, ignored);
        unsetenv("U3_APP_DATA_PATH");
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The per-user folder the engine uses with U3_APP_DATA_PATH set.
    std::string userFolder() const { return path + "/1.30/"; }

    static std::string readFile(const std::string& file)
    {
        std::ifstream in(file, std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    }
    static void writeFile(const std::string& file, const std::string& bytes)
    {
        std::ofstream out(file, std::ios::binary);
        out << bytes;
    }

    std::string path;

private:
    std::filesystem::path previous;
};
