#pragma once
// A packet that resolves object identifiers from a table of its own, as a
// replication role does with its registered objects. The table holds safe
// references, so objects deleted meanwhile simply stop resolving.
#include <memory>
#include <vector>

#include "net/Packet.h"
#include "object/Reference.h"

class ObjectTablePacket : public Packet {
public:
    using Packet::Packet;

    // Makes o resolvable under its objectUID.
    void addObject(QelBase* o)
    {
        table.push_back(std::make_unique<Reference<QelBase>>(nullptr));
        *table.back() = o;
    }

    bool doPointer2(QelBase** p) override
    {
        if (bWriting) {
            return Packet::doPointer2(p);
        }
        u32 id = 0;
        doUInt(&id);
        *p = nullptr;
        if (id == 0) {
            return false;
        }
        for (const auto& entry : table) {
            if (entry->get() != nullptr && entry->get()->objectUID == static_cast<i32>(id)) {
                *p = entry->get();
                return true;
            }
        }
        setError("Could not find object ID");
        return false;
    }

    std::vector<std::unique_ptr<Reference<QelBase>>> table;
};
