#pragma once
// The root of a replicated world, the object under which the replicated
// objects live, and through which two world-wide operations run on every
// side: seeding the shared random source and destroying an object
// everywhere (the path deleteMe takes for a registered object under a role).
#include "object/QelBase.h"

class Node;

class RootObjectBase : public QelBase {
    QEL_DECLARE_RUNTIME_CLASS()

public:
    RootObjectBase() = default;

    // QelBase's properties, then under a role "THEROLE->nextObjectUID",
    // the role's next identifier (so a copy of the root carries it).
    void addPropertiesTo(QelBase* container) override;

    // Hooks for games that run a server; the engine never calls them.
    virtual void server_playerConnected(Node* node);
    virtual void server_playerDisconnected(Node* node);

    // Seeds the shared random source on every side. The source belongs to
    // the replication role; without one there is none to seed.
    void randomSeed(u32 seed);
    // Destroys o with its subtree on every side.
    void destroyObject(QelBase* o);
    // Destroys o with its subtree here (null does nothing). Under a role
    // every registered object of the subtree leaves the role's table first.
    void destroyObjectNow(QelBase* o);
};
