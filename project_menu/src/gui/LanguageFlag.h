#pragma once
// One flag of the language screen: frame `language` of "languageFlags".
// While the pointer is over it the language's own name shows beside it; a
// new press over it picks the language and ends the active screen.
#include "graphics/Renderable.h"

class LanguageFlag : public Renderable {
public:
    explicit LanguageFlag(int language);
    ~LanguageFlag() override = default;

    void update(double time, double dt) override;
    void render() override;

    int language = 0;
    bool bHovered = false;
};
