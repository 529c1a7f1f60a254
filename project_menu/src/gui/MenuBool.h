#pragma once
// A check box row bound to a bool: a click on it while it is active flips
// the bool at once, and a check mark stands in the middle of its frame
// while the bool is set. The bool is not owned and must outlive the item.
#include "gui/MenuItem.h"

class MenuBool : public MenuItem {
    QEL_DECLARE_RUNTIME_CLASS()

public:
    // 50 wide.
    MenuBool(float x, float y, float z, const UString& caption, const UString& help, bool* value);
    ~MenuBool() override = default;

    // Hover and highlight, then the flip on a new press over the frame.
    void update(double time, double dt) override;
    // The row, then the check mark while the bool is set.
    void render() override;

    bool* pValue = nullptr;
};
