#pragma once
// A spinner of step 1 that shows its value as a row of bars, one per unit
// (never more than maxValue), and applies the whole settings record to the
// engine on every click, so that a changed volume is heard at once.
#include "gui/MenuInt.h"

class MenuVolume : public MenuInt {
    QEL_DECLARE_RUNTIME_CLASS()

public:
    MenuVolume(float x, float y, float z, const UString& caption, const UString& help, int* value, int min,
               int max);
    ~MenuVolume() override = default;

    // The bars from 84 units left of the centre, 7 apart; the point given
    // is not used.
    void drawValue(float x, float y, float z) override;
    // The click, then the settings applied.
    void onClick() override;
};
