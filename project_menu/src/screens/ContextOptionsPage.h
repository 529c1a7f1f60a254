#pragma once
// What the four option pages share: a title, the page's rows of the one
// table of settings, each widget bound straight to its field of the
// settings record (a click changes the record at once), and BACK. The
// Controls, Graphics and Sound pages push the record into the engine when
// they are left, by BACK or Escape; merely covered, they apply nothing.
// Every page left with a change writes the record, once.
#include <span>

#include "context/ContextMenu.h"
#include "global/SettingsRecord.h"
#include "language/Language.h"

class ContextOptionsPage : public ContextMenu {
    QEL_DECLARE_RUNTIME_CLASS()

public:
    enum class Page { GAMEPLAY, CONTROLS, GRAPHICS, SOUND };
    enum class Widget { CHECK_BOX, NUMBER, CHOICE, VOLUME, GROUP };

    // One row of a page. Its x is `quarters` quarter view widths (W/4, in
    // whole units) plus dx; a group's size is width x height.
    struct Row {
        Page page;
        Widget widget;
        Language::StringsEnum caption;
        // NO_HELP for none.
        Language::StringsEnum help;
        int quarters;
        float dx;
        float y;
        bool SettingsRecord::*flag;
        i32 SettingsRecord::*number;
        int min;
        int max;
        // The number's step, or the text of a choice's first value.
        int stepOrFirstText;
        // 0 keeps the widget's own width.
        int width;
        int height;
        bool captionAbove;
        // The lowest value while the debug features are unlocked.
        int unlockedMin;
    };
    static constexpr auto NO_HELP = Language::StringsEnum(-1);

    // Every setting of the four pages, page by page in the order they are
    // built.
    static std::span<const Row> rows();

    // Title, the page's rows, BACK.
    ContextOptionsPage(Page page, Language::StringsEnum title);
    ~ContextOptionsPage() override = default;

    // Applies the settings when the page has finished and is one that
    // does; a finished page writes the record when it changed.
    void deactivate(bool finished) override;
    // Whether leaving the page pushes the record into the engine.
    virtual bool appliesSettings() const { return true; }
};
