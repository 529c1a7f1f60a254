#pragma once
// A spinner row bound to an int: a new press over the active row steps the
// int down when it lands on the left arrow and up on the right one, brings
// it into minValue..maxValue and counts as a click, wherever on the row it
// landed. The value stands in the middle of the row; while the row is
// highlighted an arrow fades in at each end where a step could still
// change the value. The int is not owned and must outlive the item; a value
// outside the range is shown as it is until the next click. Stepping and
// clamping never overflow, whatever the value and the step.
#include "gui/MenuItem.h"

class MenuInt : public MenuItem {
    QEL_DECLARE_RUNTIME_CLASS()

public:
    // 256 wide. The bound value is left as it is.
    MenuInt(float x, float y, float z, const UString& caption, const UString& help, int* value, int min, int max,
            int step);
    ~MenuInt() override = default;

    // Hover and highlight, then the arrows, the clamp and the click.
    void update(double time, double dt) override;
    // The row, then the arrows.
    void render() override;
    // The value text in the middle of the row.
    void drawValue(float x, float y, float z) override;
    // What the row shows of its value: the value in figures.
    virtual UString valueText() const;

    int* pValue = nullptr;
    int minValue = 0;
    int maxValue = 0;
    int step = 0;

protected:
    // The value text at the point, turned and scaled like the item, in the
    // medium font, centred; shadowed while the item is.
    void printValue(const V3& at, const V3& size, const UString& text);
};
