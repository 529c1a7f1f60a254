#pragma once
// A spinner of step 1 that shows its value as a text of the current
// language: value v shows the text firstTextId + v. A value whose text
// would lie outside the text table shows nothing.
#include "gui/MenuInt.h"

class MenuEnum : public MenuInt {
    QEL_DECLARE_RUNTIME_CLASS()

public:
    MenuEnum(float x, float y, float z, const UString& caption, const UString& help, int* value, int min, int max,
             int firstTextId);
    ~MenuEnum() override = default;

    // The value's text; empty outside the text table.
    UString valueText() const override;

    int firstTextId = 0;
};
