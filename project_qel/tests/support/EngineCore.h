#pragma once
// The engine object with its log and error manager, in a fresh per-user
// folder: what unit tests of engine classes need to construct QelBase
// objects, log and raise fatal errors.
#include <memory>

#include "engine/Qel.h"
#include "support/TempFolder.h"

class EngineCore {
public:
    EngineCore() : qel(std::make_unique<Qel>(Qel::CoreOnly{})) {}

    TempFolder folder;
    std::unique_ptr<Qel> qel;
};
