#include "system/FileStream.h"

#include <unistd.h>

FileStream::FileStream(const UString& path, int mode)
{
    if (mode & READ) {
        size = -1;
        file = std::fopen(path.c_str(), "rb");
        if (file != nullptr) {
            long length = -1;
            if (std::fseek(file, 0, SEEK_END) == 0) {
                length = std::ftell(file);
            }
            // Directories open on some systems but cannot be read.
            if (length < 0 || length > 0x7fffffffL || std::fseek(file, 0, SEEK_SET) != 0) {
                std::fclose(file);
                file = nullptr;
            } else {
                size = static_cast<i32>(length);
            }
        }
    } else if (mode & WRITE) {
        file = std::fopen(path.c_str(), "wb");
        // Unbuffered, so that fwrite counts what the system itself took.
        if (file != nullptr && std::setvbuf(file, nullptr, _IONBF, 0) != 0) {
            std::fclose(file);
            file = nullptr;
        }
    }
    isOpen = file != nullptr;
}

FileStream::~FileStream()
{
    close();
}

int FileStream::read(void* buffer, int count)
{
    if (!isOpen) {
        return -1;
    }
    if (count <= 0) {
        return 0;
    }
    return static_cast<int>(std::fread(buffer, 1, static_cast<size_t>(count), file));
}

bool FileStream::write(const void* bytes, int count, int* accepted)
{
    size_t taken = 0;
    if (isOpen && count > 0) {
        taken = std::fwrite(bytes, 1, static_cast<size_t>(count), file);
    }
    if (accepted != nullptr) {
        *accepted = static_cast<int>(taken);
    }
    return isOpen && (count <= 0 || taken == static_cast<size_t>(count));
}

bool FileStream::writeLine(const UString& text)
{
    bool ok = write(text.data(), static_cast<int>(text.size()));
    return write("\n", 1) && ok;
}

bool FileStream::flush()
{
    return isOpen && std::fflush(file) == 0;
}

bool FileStream::sync()
{
    return flush() && ::fsync(fileno(file)) == 0;
}

void FileStream::seek(int position)
{
    if (isOpen) {
        std::fseek(file, position, SEEK_SET);
    }
}

bool FileStream::close()
{
    bool ok = true;
    if (file != nullptr) {
        ok = std::fclose(file) == 0;
        file = nullptr;
    }
    isOpen = false;
    return ok;
}
