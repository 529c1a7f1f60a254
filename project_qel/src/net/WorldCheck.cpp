#include "net/WorldCheck.h"

#include <algorithm>
#include <memory>

#include "net/NetRole.h"
#include "object/QelBase.h"
#include "object/RuntimeClass.h"
#include "system/StringUtils.h"

std::unordered_map<const RuntimeClass*, u32> WorldCheck::partHeights;

namespace {

// A depth that no object the rebuilt world keeps may have.
constexpr u32 TOO_DEEP = NetRole::TREE_DEPTH_LIMIT + 1;

} // namespace

u32 WorldCheck::partHeight(const RuntimeClass* record)
{
    auto known = partHeights.find(record);
    if (known != partHeights.end()) {
        return known->second;
    }
    // Only classes that travel are measured, and peers make those anyway.
    std::unique_ptr<QelBase> made(record->createAs<QelBase>());
    const u32 height = made != nullptr ? made->height : 0;
    partHeights.emplace(record, height);
    return height;
}

UString WorldCheck::checkBounds(const ObjectTable& table, i32 counter, size_t objectLimit)
{
    if (NetRole::overObjectLimit(table.size(), objectLimit)) {
        return formatString("the world holds over %d objects", static_cast<int>(objectLimit));
    }
    return NetRole::checkCounterRange(counter);
}

void WorldCheck::beginLook(const ObjectTable& table)
{
    if (++stamp == 0) {
        std::fill(depthStamps.begin(), depthStamps.end(), 0);
        stamp = 1;
    }
    if (depths.size() < table.size()) {
        depths.resize(table.size());
        depthStamps.resize(table.size());
    }
}

UString WorldCheck::whole(const ObjectTable& table, i32 counter, size_t objectLimit)
{
    UString unsound = checkBounds(table, counter, objectLimit);
    if (!unsound.empty()) {
        return unsound;
    }
    beginLook(table);
    Fault found;
    size_t read = 0;
    for (size_t position = 0; position < table.size(); ++position) {
        checkAt(table, position, read, found);
    }
    return found.reason;
}

UString WorldCheck::slice(const ObjectTable& table, i32 counter, size_t objectLimit)
{
    UString unsound = checkBounds(table, counter, objectLimit);
    if (!unsound.empty()) {
        return unsound;
    }
    // The world may have changed since the last slice: what this one
    // found out holds for this slice alone.
    beginLook(table);
    size_t read = 0;
    while (read < WORLD_CHECK_SLICE && nextPosition < table.size()) {
        checkAt(table, nextPosition++, read, passFault);
    }
    mostReadInASlice = std::max(mostReadInASlice, read);
    if (nextPosition < table.size()) {
        return "";
    }
    nextPosition = 0;
    Fault ended = passFault;
    passFault = Fault();
    return ended.reason;
}

size_t WorldCheck::parentPosition(const ObjectTable& table, const QelBase* o)
{
    const BasicLink* parent = o->parent;
    if (parent == nullptr || !parent->getRuntimeClass()->isDerivedFrom(QelBase::runtimeClass())) {
        return ObjectTable::NONE;
    }
    const size_t position = table.positionOf(static_cast<const QelBase*>(parent)->objectUID);
    return position != ObjectTable::NONE && table.at(position).second == parent ? position : ObjectTable::NONE;
}

u32 WorldCheck::depthAt(const ObjectTable& table, size_t position, size_t& read)
{
    // Up to an ancestor whose depth this look knows, or to the top. Every
    // object the walk passes has a registered parent, so one that passes
    // TREE_DEPTH_LIMIT of them starts deeper than that.
    path.clear();
    u32 depth = 0;
    for (size_t at = position;;) {
        if (depthStamps[at] == stamp) {
            depth = depths[at];
            break;
        }
        if (path.size() == NetRole::TREE_DEPTH_LIMIT) {
            return TOO_DEEP;
        }
        ++read;
        const ObjectTable::Entry& entry = table.at(at);
        const size_t above = parentPosition(table, entry.second);
        if (above == ObjectTable::NONE) {
            // A top; the root's is its role.
            depth = entry.first == 1 ? 1 : 0;
            depthStamps[at] = stamp;
            depths[at] = depth;
            break;
        }
        path.push_back(at);
        at = above;
    }
    for (auto below = path.rbegin(); below != path.rend(); ++below) {
        depth = std::min(depth + 1, TOO_DEEP);
        depthStamps[*below] = stamp;
        depths[*below] = depth;
    }
    return depth;
}

void WorldCheck::checkAt(const ObjectTable& table, size_t position, size_t& read, Fault& found)
{
    ++read;
    const auto& [uid, o] = table.at(position);
    if (!found.reason.empty() && found.uid < uid) {
        return;
    }
    const RuntimeClass* record = o->getRuntimeClass();
    UString unsound = NetRole::checkMade(record, uid);
    if (!unsound.empty()) {
        if (!record->bTravels) {
            unsound += formatString(" (QEL_TRAVELS(%s) after its record makes it travel)", record->name.c_str());
        }
    } else if (const size_t above = parentPosition(table, o); above == ObjectTable::NONE) {
        // A top: no copy places it.
        return;
    } else if (depthAt(table, above, read) + 1 + partHeight(record) > NetRole::TREE_DEPTH_LIMIT) {
        unsound = QelBase::depthRefusal();
    } else {
        return;
    }
    found.uid = uid;
    found.reason = formatString("object ID %d: %s", uid, unsound.c_str());
}
