// Reading a data pack against plain zlib: every entry of a 50 MB pack of
// mixed compressible data read through the file manager, and the same
// compressed entries inflated in memory by zlib's uncompress.
#include <zlib.h>

#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "file/FileManager.h"
#include "support/TempFolder.h"

namespace {

constexpr int ENTRY_COUNT = 200;
constexpr int ENTRY_SIZE = 256 * 1024; // 200 entries of 256 KB: 50 MB

// Text-like, image-like and half-random entries in turn; each compresses
// well enough to be stored as a zlib stream.
std::string makeEntry(int index, std::mt19937& random)
{
    std::string bytes(ENTRY_SIZE, '\0');
    switch (index % 3) {
    case 0: {
        static const char* const words[] = {"train ", "cargo ", "dock ", "launcher ", "bonus ", "track ",
                                            "world ", "stage ", "\n"};
        size_t at = 0;
        while (at < bytes.size()) {
            const char* word = words[random() % 9];
            for (; *word != '\0' && at < bytes.size(); ++word) {
                bytes[at++] = *word;
            }
        }
        break;
    }
    case 1:
        for (int i = 0; i < ENTRY_SIZE; ++i) {
            int x = (i / 4) % 512;
            int y = (i / 4) / 512;
            bytes[size_t(i)] = char((x + y + (i % 4) * 40 + int(random() % 4)) & 0xff);
        }
        break;
    default:
        for (int i = 0; i < ENTRY_SIZE; ++i) {
            bytes[size_t(i)] = (i / 1024) % 2 == 0 ? char(random()) : char(i / 4096);
        }
        break;
    }
    return bytes;
}

struct Pack {
    Pack()
    {
        std::mt19937 random(42);
        std::vector<std::string> names;
        for (int i = 0; i < ENTRY_COUNT; ++i) {
            std::string name = "gfx/entry" + std::to_string(i) + ".bin";
            std::string bytes = makeEntry(i, random);
            std::filesystem::create_directories("gfx");
            TempFolder::writeFile(name, bytes);
            names.push_back(name);
            uLongf length = compressBound(uLong(bytes.size()));
            std::vector<u8> stream(length);
            compress(stream.data(), &length, reinterpret_cast<const Bytef*>(bytes.data()), uLong(bytes.size()));
            stream.resize(length);
            compressed.push_back(std::move(stream));
            totalBytes += i64(bytes.size());
        }
        {
            FileManager writer(true, false, true);
            writer.useWad("bench.dat");
            for (const std::string& name : names) {
                delete writer.open(name, nullptr);
            }
        }
        std::filesystem::remove_all("gfx");
        reader.useWad("bench.dat");
        for (const std::string& name : names) {
            if (!reader.wadEntries[name].isCompressed()) {
                notCompressed++;
            }
            entryNames.push_back(name);
        }
    }

    TempFolder folder;
    FileManager reader;
    std::vector<UString> entryNames;
    std::vector<std::vector<u8>> compressed;
    i64 totalBytes = 0;
    int notCompressed = 0;
};

Pack& pack()
{
    static Pack instance;
    return instance;
}

void BM_DataPackReadEveryEntry(benchmark::State& state)
{
    Pack& p = pack();
    for (auto _ : state) {
        for (const UString& name : p.entryNames) {
            int size = 0;
            std::unique_ptr<u8[]> bytes = p.reader.readAll(name, &size);
            benchmark::DoNotOptimize(bytes.get());
        }
    }
    state.SetBytesProcessed(state.iterations() * p.totalBytes);
    state.counters["plainEntries"] = p.notCompressed;
}
BENCHMARK(BM_DataPackReadEveryEntry)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_ZlibUncompressSameEntries(benchmark::State& state)
{
    Pack& p = pack();
    for (auto _ : state) {
        for (const std::vector<u8>& stream : p.compressed) {
            auto bytes = std::make_unique_for_overwrite<u8[]>(ENTRY_SIZE);
            uLongf length = ENTRY_SIZE;
            uncompress(bytes.get(), &length, stream.data(), uLong(stream.size()));
            benchmark::DoNotOptimize(bytes.get());
        }
    }
    state.SetBytesProcessed(state.iterations() * p.totalBytes);
}
BENCHMARK(BM_ZlibUncompressSameEntries)->Unit(benchmark::kMillisecond)->MinTime(2.0);

} // namespace
