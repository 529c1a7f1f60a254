#pragma once
// A binary disk file opened for reading (mode bit 1) or writing (mode bit 2).
// Every operation does nothing while the file is not open. Writes go to the
// system at once, unbuffered, so a write can tell how many bytes the system
// took (a full disk may take the head of a write and refuse the rest).
#include <cstdio>

#include "system/DataStream.h"
#include "system/UString.h"

class FileStream : public DataStream {
public:
    enum Mode { READ = 1, WRITE = 2 };

    FileStream(const UString& path, int mode);
    ~FileStream() override;
    FileStream(const FileStream&) = delete;
    FileStream& operator=(const FileStream&) = delete;

    int read(void* buffer, int count) override;
    // Returns false when the stream is closed or not every byte was written;
    // `accepted`, when given, receives how many leading bytes the system took.
    bool write(const void* bytes, int count, int* accepted = nullptr);
    bool writeLine(const UString& text);
    bool flush();
    // Flushes and asks the system to put the bytes on the disk.
    bool sync();
    void seek(int position);
    // Closes now; returns false when buffered bytes could not be written.
    bool close();

    bool isOpen = false;

private:
    std::FILE* file = nullptr;
};
