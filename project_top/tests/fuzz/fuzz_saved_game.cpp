// Arbitrary bytes as the current player's saved game, loaded by a new game
// on the test level of a live game on the game's own data pack (under the
// virtual X server). A file that loads saves to bytes that load and save
// again to the same bytes; a refused file leaves the game out of play, so
// that deleting it writes nothing over the file.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

#include "game/controller/ControllerCore.h"

namespace {

void check(bool condition)
{
    if (!condition) {
        __builtin_trap();
    }
}

// One live program for the whole run; the replay's working folder is
// given back so that relative corpus paths still open.
struct World {
    World() { std::filesystem::current_path(start); }
    std::filesystem::path start = std::filesystem::current_path();
    ControllerCore core;
};

World& world()
{
    static World made;
    return made;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    ControllerCore& core = world().core;
    const std::string input(reinterpret_cast<const char*>(data), size);
    TempFolder::writeFile(core.saveFile(), input);
    core.setLevel(0);
    GameController* game = core.newGame();
    if (game->load()) {
        check(game->save());
        const std::string saved = core.savedBytes();
        check(core.newGame()->load());
        check(core.game->save());
        check(core.savedBytes() == saved);
        core.steps(3);
    } else {
        check(game->state == 0 && game->level == nullptr);
        core.endGame();
        check(core.savedBytes() == input);
    }
    core.endGame();
    return 0;
}
