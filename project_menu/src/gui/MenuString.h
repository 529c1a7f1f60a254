#pragma once
// The one-line text field, bound to a caller's character buffer. While the
// pointer is over the active field it takes one typed character per frame
// (a new key press): Backspace removes the last byte, a character of
// allowedChars is appended while the text is shorter than maxLength, any
// other character is dropped; then the text and its terminating zero are
// copied into the buffer, and a "_" cursor blinks after the text. There is
// no focus of its own: the field under the pointer takes the keys, and the
// field never counts as clicked.
//
// The buffer must hold maxLength + 1 bytes. The field reads at most
// maxLength bytes of the buffer's first contents (a longer or unterminated
// text is cut there) and never writes more than maxLength + 1 bytes.
// Characters are single bytes of Windows-1252 as the fonts print them.
#include "gui/MenuItem.h"

class MenuString : public MenuItem {
    QEL_DECLARE_RUNTIME_CLASS()

public:
    // The characters a player may type into a name or a field: the
    // printable ASCII characters from '!' to '}' in code order, the
    // apostrophe standing in for the backquote, then the space. Neither the
    // backquote nor the tilde can be typed.
    static constexpr const char* ALLOWED_CHARACTERS =
        "!\"#$%&'()*+,-./0123456789:;<=>?@ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]^_'abcdefghijklmnopqrstuvwxyz{|} ";

    MenuString(float x, float y, float z, const UString& caption, const UString& help, char* buffer,
               unsigned maxLength);
    ~MenuString() override = default;

    // Hover and highlight, then typing, the buffer and the cursor.
    void update(double time, double dt) override;
    // The text and its cursor, centred as one block in the item's font.
    void drawValue(float x, float y, float z) override;
    // After every typed character but Backspace, taken or not.
    virtual void onTextChanged();

    UString allowedChars = ALLOWED_CHARACTERS;
    UString text;
    u32 maxLength = 0;
    char* pBuffer = nullptr;
    bool bCursorVisible = false;
};
