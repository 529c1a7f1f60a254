#pragma once
// The language choice: five flags, one per language; a click on one stores
// that language as the program's language and ends the screen.
#include "engine/Context.h"

class ContextLanguageSelect : public Context {
public:
    ContextLanguageSelect();
    ~ContextLanguageSelect() override = default;
};
