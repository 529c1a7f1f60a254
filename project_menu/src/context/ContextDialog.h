#pragma once
// The modal message and question box: pushed over the screen that asks and
// drawn over it, with an optional title, a wrapped message and up to two
// buttons. It answers into the caller's int: -1 pending, 0 the first
// button, 1 the second.
#include "engine/Context.h"
#include "math/V3.h"

class MenuButton;

class ContextDialog : public Context {
    QEL_DECLARE_RUNTIME_CLASS()

public:
    // One button, "OK"; deleted when finished.
    ContextDialog();
    ~ContextDialog() override = default;

    // Lays the dialog out from its texts and sets the answer to -1. Called
    // once, after the texts are set and before the dialog is pushed.
    void build();
    // Plays "pop" on the first activation.
    void activate(bool firstTime) override;
    // Writes the answer of a clicked button and finishes.
    void tickContents(double time, double dt) override;
    // The screen below first, then the dialog.
    void renderContents() override;

    // Number of buttons with a caption.
    int countButtons() const;

    V3 centre;
    UString title;
    UString text;
    UString buttonAText;
    UString buttonBText;
    // Not owned; null for a dialog that answers nobody.
    int* answer = nullptr;
    // Made by build; children of the dialog.
    MenuButton* buttonA = nullptr;
    MenuButton* buttonB = nullptr;

private:
    void setAnswer(int value);
};
