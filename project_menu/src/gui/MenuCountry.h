#pragma once
// The country chooser: a spinner over the positions 0 to 240 of the
// country list's display order ("--" first, then the codes A to Z), shown
// as "code (name)". A letter typed while the pointer is over it jumps to
// the next country whose code starts with that letter. Every click or
// letter also writes the chosen country's code and its direction on the
// globe into the settings record, in that frame and every later one until
// the owning screen takes the click.
//
// The bound int holds a display position. While it lies outside 0..240,
// the row shows, jumps from and writes position 0 ("--"); a click brings
// the int itself into range.
#include "gui/MenuInt.h"

class MenuCountry : public MenuInt {
    QEL_DECLARE_RUNTIME_CLASS()

public:
    // 512 wide.
    MenuCountry(float x, float y, float z, const UString& caption, const UString& help, int* value);
    ~MenuCountry() override = default;

    // The spinner, then the letter jump, then the record while clicked.
    void update(double time, double dt) override;
    // "code (name)" of the country shown.
    UString valueText() const override;

private:
    // The bound position, or 0 while it lies outside the list.
    int shownPosition() const;
    void writeRecord() const;
};
