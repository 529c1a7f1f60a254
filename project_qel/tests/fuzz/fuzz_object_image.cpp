// Arbitrary bytes as a saved or received object image and as a stream of
// received calls, against a small world whose objects the stream may name.
// The first byte picks the form: bit 0 the persistent (saved-game) packet
// flags, bit 1 a call stream instead of an object image.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>

#include "../support/ObjectTablePacket.h"
#include "../support/TempFolder.h"
#include "engine/Qel.h"
#include "net/RPC.h"
#include "net/RootObjectBase.h"
#include "object/RuntimeClassManager.h"

namespace {

// The engine with its log in a folder of its own; the replay's working
// folder is given back so that relative corpus paths still open.
struct Engine {
    Engine()
    {
        RuntimeClassManager::getInstance()->buildClassArray();
        std::filesystem::current_path(start);
    }
    std::filesystem::path start = std::filesystem::current_path();
    TempFolder folder;
    Qel qel{Qel::CoreOnly{}};
};

// Deletes every object of the table that no longer has a parent (with its
// subtree), until none is left.
void deleteWorld(ObjectTablePacket& packet)
{
    for (bool found = true; found;) {
        found = false;
        for (const auto& entry : packet.table) {
            if (entry->get() != nullptr && entry->get()->getParent() == nullptr) {
                delete entry->get();
                found = true;
            }
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static Engine engine;
    if (size < 1) {
        return 0;
    }
    u8 mode = data[0];
    u32 flags = (mode & 1) != 0 ? Packet::SAVEGAME_FLAGS : Packet::NETWORK_FLAGS;
    ObjectTablePacket packet(flags, static_cast<int>(size - 1));
    packet.doBytes(const_cast<uint8_t*>(data + 1), static_cast<int>(size - 1));
    packet.rewindToRead();

    // Root 1 with children 2 and 3; 3 has the child 4.
    auto* root = new RootObjectBase();
    root->objectUID = 1;
    packet.addObject(root);
    QelBase* parent = root;
    for (i32 uid = 2; uid <= 4; ++uid) {
        auto* object = new QelBase();
        object->objectUID = uid;
        packet.addObject(object);
        parent->addChildBack(object);
        if (uid == 3) {
            parent = object;
        }
    }

    if ((mode & 2) != 0) {
        // Each call as a role reads one: its class, its arguments, and it
        // runs only when they read cleanly.
        while (!packet.atEnd() && !packet.hasError()) {
            std::unique_ptr<RPC> rpc(packet.readNewObject<RPC>());
            if (rpc != nullptr) {
                rpc->netSerialize(&packet);
            }
            if (rpc != nullptr && !packet.hasError()) {
                rpc->executeLocally();
            }
        }
    } else {
        std::unique_ptr<QelBase> spawned(packet.readNewObject<QelBase>());
        if (spawned != nullptr) {
            spawned->netSerialize(&packet);
        }
        if (!packet.hasError()) {
            // The rest of the image goes into the root.
            root->netSerialize(&packet);
        }
    }
    deleteWorld(packet);
    return 0;
}
