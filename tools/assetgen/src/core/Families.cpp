#include "core/Families.h"

#include <atomic>
#include <exception>
#include <mutex>
#include <thread>

namespace assetgen {

const std::vector<Family>& families() {
    static const std::vector<Family> list = {
        {"images", &generateImages},
        {"sounds", &generateSounds},
        {"music", &generateMusic},
        {"fonts", &generateFonts},
        {"levels", &generateLevels},
    };
    return list;
}

void runParallel(const std::vector<void (*)(const Output&)>& writers, const Output& out) {
    runParallel(writers.size(), [&](size_t i) { writers[i](out); });
}

void runParallel(size_t count, const std::function<void(size_t)>& job) {
    std::atomic<size_t> next{0};
    std::exception_ptr failure;
    std::mutex failureLock;
    const unsigned cores = std::thread::hardware_concurrency();
    const size_t workers = std::min<size_t>(count, cores > 0 ? cores : 2);
    std::vector<std::thread> threads;
    for (size_t w = 0; w < workers; ++w) {
        threads.emplace_back([&]() {
            for (size_t i = next++; i < count; i = next++) {
                try {
                    job(i);
                } catch (...) {
                    std::lock_guard<std::mutex> lock(failureLock);
                    if (!failure) {
                        failure = std::current_exception();
                    }
                }
            }
        });
    }
    for (std::thread& t : threads) {
        t.join();
    }
    if (failure) {
        std::rethrow_exception(failure);
    }
}

} // namespace assetgen
