// Arbitrary bytes as the trains of a track in a saved game, read into a
// test track of a live game on the game's own data pack (under the virtual
// X server). A record is either refused through the packet's error state,
// leaving whatever was read to be deleted cleanly, or accepted; an accepted
// record saves to bytes that read and save again to the same bytes, and
// its trains run a few frames.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <vector>

#include "game/train/StockCore.h"
#include "net/Packet.h"

namespace {

void check(bool condition)
{
    if (!condition) {
        __builtin_trap();
    }
}

// One live game for the whole run; the replay's working folder is given
// back so that relative corpus paths still open.
struct World {
    World()
    {
        core.game->totalDocks = 1000;
        core.game->trainsInLevel = 0;
        std::filesystem::current_path(start);
    }
    std::filesystem::path start = std::filesystem::current_path();
    StockCore core;
};

World& world()
{
    static World made;
    return made;
}

std::vector<u8> save(Track* track)
{
    Packet out(Packet::SAVEGAME_FLAGS, -1);
    track->serialize(&out);
    return std::vector<u8>(out.buffer, out.buffer + out.getDataSize());
}

bool read(Track* track, const u8* data, size_t size)
{
    Packet in(Packet::SAVEGAME_FLAGS, int(size));
    if (size > 0) {
        in.doBytes(const_cast<u8*>(data), int(size));
    }
    in.rewindToRead();
    track->serialize(&in);
    return !in.hasError();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > Packet::DEFAULT_CAPACITY) {
        return 0;
    }
    StockCore& core = world().core;
    // A loss in an earlier input does not carry over.
    core.game->setState(GameController::STATE_PLAYING, 0.0, true);
    Track* track = core.straightTrack();
    if (read(track, data, size)) {
        const std::vector<u8> saved = save(track);
        Track* again = core.straightTrack();
        check(read(again, saved.data(), saved.size()));
        check(save(again) == saved);
        delete again;
        for (int i = 0; i < 3; ++i) {
            core.step();
        }
    }
    delete track;
    core.game->cargoPicker.clearOpenDocks();
    return 0;
}
