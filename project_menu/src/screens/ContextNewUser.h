#pragma once
// The name entry for a new player, a panel over the screen that opened it:
// the name is typed one character per frame (printable ASCII without the
// backquote and the tilde, 15 at most), Backspace removes the last one,
// and OK or Enter creates the player, makes it current and turns the
// in-game help on. There is no way out without a name: Escape is ignored.
#include "context/ContextMenu.h"

class MenuButton;
class RenderableText;

class ContextNewUser : public ContextMenu {
    QEL_DECLARE_RUNTIME_CLASS()

public:
    static constexpr int MAX_NAME_LENGTH = 15;

    ContextNewUser();
    ~ContextNewUser() override = default;

    // The children, the typed key, the centred name with its blinking
    // cursor, then OK or Enter.
    void tickContents(double time, double dt) override;
    // The screen beneath, then the panel.
    void renderContents() override;

    MenuButton* okButton = nullptr;
    RenderableText* nameText = nullptr;
    UString name;

private:
    void type(char ch);
};
