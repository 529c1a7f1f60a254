// Arbitrary bytes as a traffic recording, replayed into a fresh client role
// without a connection for a bounded number of frames, each a second apart
// so that every record is due: the header, the framing and every payload
// command the records hold. Whatever the file holds, this side's own code
// keeps room for its own objects.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "../support/NetFuzzEngine.h"
#include "net/NetRole.h"

namespace {

constexpr int FRAMES = 64;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static NetFuzzEngine engine;
    static const std::string path = engine.folder.path + "/fuzz.net";
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        return 0;
    }
    std::fwrite(data, 1, size, file);
    std::fclose(file);

    NetRole role("Vabo", 1.30, "", 0, false);
    role.startPlayback(path);
    Qel& qel = engine.qel;
    for (int i = 0; i < FRAMES && role.quitReason == 0; ++i) {
        netFuzzTicks += 1000;
        qel.frameTimer.previousStart = qel.frameTimer.currentStart;
        qel.frameTimer.currentStart = qel.timeKeeper->getTime();
        role.update(0.0, 0.0);
    }
    if (role.nextObjectUID > NetRole::PEER_COUNTER_LIMIT) {
        std::abort();
    }
    return 0;
}
