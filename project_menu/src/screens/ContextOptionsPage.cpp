#include "screens/ContextOptionsPage.h"

#include "engine/Qel.h"
#include "global/Global.h"
#include "gui/MenuBool.h"
#include "gui/MenuEnum.h"
#include "gui/MenuGroup.h"
#include "gui/MenuInt.h"
#include "gui/MenuVolume.h"
#include "screens/ScreenLayout.h"

QEL_IMPLEMENT_RUNTIME_CLASS(ContextOptionsPage, ContextMenu::runtimeClass(), QEL_NO_CREATOR);

namespace {

using Page = ContextOptionsPage::Page;
using Widget = ContextOptionsPage::Widget;
using L = Language;
using S = SettingsRecord;
constexpr auto NO_HELP = ContextOptionsPage::NO_HELP;

// clang-format off
constexpr ContextOptionsPage::Row ROWS[] = {
    // page, widget, caption, help, quarters, dx, y, flag, number, min, max, step or first text, width, height,
    // caption above, lowest value unlocked
    {Page::GAMEPLAY, Widget::CHECK_BOX, L::TUTORIAL, L::TUTORIALHINT, 0, 0, 100, &S::tutorial, nullptr, 0, 1, 0, 0, 0, false, 0},
    {Page::GAMEPLAY, Widget::CHECK_BOX, L::COLORBLIND, L::COLORBLINDHINT, 0, 0, 50, &S::colorBlind, nullptr, 0, 1, 0, 0, 0, false, 0},
    {Page::GAMEPLAY, Widget::CHECK_BOX, L::COLORIZEMOUSE, L::COLORIZEMOUSEHINT, 0, 0, 0, &S::colorizeMouse, nullptr, 0, 1, 0, 0, 0, false, 0},
    {Page::GAMEPLAY, Widget::CHECK_BOX, L::ALLOWCHEATS, L::ALLOWCHEATSHINT, 0, 0, -50, &S::allowCheats, nullptr, 0, 1, 0, 0, 0, false, 0},
    {Page::CONTROLS, Widget::CHECK_BOX, L::SWAPMOUSE, L::SWAPMOUSEHINT, 0, -39, 0, &S::swapMouse, nullptr, 0, 1, 0, 0, 0, false, 0},
    {Page::CONTROLS, Widget::CHOICE, L::SENSITIVITY, L::SENSITIVITYHINT, 0, 64, -50, nullptr, &S::mouseSensitivity, 0, S::SENSITIVITY_MAX, L::ENUMSENSITIVITY0, 0, 0, false, 0},
    {Page::GRAPHICS, Widget::CHOICE, L::DETAIL, L::DETAILHINT, -1, 0, 0, nullptr, &S::detail, 0, S::DETAIL_MAX, L::ENUMDETAIL0, 0, 0, true, 0},
    {Page::GRAPHICS, Widget::GROUP, L::ADVANCEDOPTIONS, NO_HELP, 1, -25, 0, nullptr, nullptr, 0, 0, 0, 434, 384, false, 0},
    {Page::GRAPHICS, Widget::CHOICE, L::VIDEOMODE, L::VIDEOMODEHINT, 1, 55, 110, nullptr, &S::videoMode, 1, S::VIDEO_MODE_MAX, L::ENUMVIDEOMODES0, 160, 0, false, 0},
    {Page::GRAPHICS, Widget::NUMBER, L::MAXIMUMFPS, L::MAXIMUMFPSHINT, 1, 55, 60, nullptr, &S::maxFps, S::MIN_FPS, S::MAX_FPS, 5, 160, 0, false, S::MIN_FPS},
    {Page::GRAPHICS, Widget::CHECK_BOX, L::FULLSCREEN, L::FULLSCREENHINT, 1, 0, 10, &S::fullscreen, nullptr, 0, 1, 0, 0, 0, false, 0},
    {Page::GRAPHICS, Widget::CHECK_BOX, L::VSYNC, L::VSYNCHINT, 1, 0, -40, &S::vsync, nullptr, 0, 1, 0, 0, 0, false, 0},
    {Page::GRAPHICS, Widget::CHECK_BOX, L::BILINEARFILTER, L::BILINEARFILTERHINT, 1, 0, -90, &S::bilinearFilter, nullptr, 0, 1, 0, 0, 0, false, 0},
    {Page::GRAPHICS, Widget::CHECK_BOX, L::SHOWFPS, L::SHOWFPSHINT, 1, 0, -140, &S::showFps, nullptr, 0, 1, 0, 0, 0, false, 0},
    {Page::SOUND, Widget::CHOICE, L::SOUNDQUALITY, L::SOUNDQUALITYHINT, 0, 64, 100, nullptr, &S::soundQuality, 0, S::SOUND_QUALITY_MAX, L::ENUMSOUNDQUALITY0, 0, 0, false, 0},
    {Page::SOUND, Widget::VOLUME, L::SOUNDVOLUME, NO_HELP, 0, 64, 50, nullptr, &S::soundVolume, 0, S::VOLUME_MAX, 1, 0, 0, false, 0},
    {Page::SOUND, Widget::VOLUME, L::MUSICVOLUME, NO_HELP, 0, 64, 0, nullptr, &S::musicVolume, 0, S::VOLUME_MAX, 1, 0, 0, false, 0},
    {Page::SOUND, Widget::CHECK_BOX, L::INGAMEMUSIC, L::INGAMEMUSICHINT, 0, -39, -50, &S::ingameMusic, nullptr, 0, 1, 0, 0, 0, false, 0},
};
// clang-format on

UString optionalText(Language::StringsEnum id)
{
    return id == NO_HELP ? UString() : menuText(id);
}

Renderable* makeWidget(const ContextOptionsPage::Row& row)
{
    SettingsRecord& record = g_global->settings;
    const float x = float(row.quarters * (halfViewWidth() / 2)) + row.dx;
    const UString caption = menuText(row.caption);
    const UString help = optionalText(row.help);
    // The video modes below the first are offered only to the developers.
    const int min = g_qel->bDebugLocked ? row.min : row.unlockedMin;
    MenuItem* item = nullptr;
    switch (row.widget) {
    case Widget::GROUP:
        return new MenuGroup(x, row.y, 0.0f, caption, float(row.width), float(row.height));
    case Widget::CHECK_BOX:
        item = new MenuBool(x, row.y, 0.0f, caption, help, &(record.*row.flag));
        break;
    case Widget::NUMBER:
        item = new MenuInt(x, row.y, 0.0f, caption, help, &(record.*row.number), min, row.max, row.stepOrFirstText);
        break;
    case Widget::CHOICE:
        item = new MenuEnum(x, row.y, 0.0f, caption, help, &(record.*row.number), min, row.max, row.stepOrFirstText);
        break;
    case Widget::VOLUME:
        item = new MenuVolume(x, row.y, 0.0f, caption, help, &(record.*row.number), min, row.max);
        break;
    }
    if (row.width != 0) {
        item->setWidth(row.width);
    }
    if (row.captionAbove) {
        item->captionLocation = MenuItem::CAPTION_ABOVE;
    }
    return item;
}

} // namespace

std::span<const ContextOptionsPage::Row> ContextOptionsPage::rows()
{
    return ROWS;
}

ContextOptionsPage::ContextOptionsPage(Page page, Language::StringsEnum title)
{
    useSharedBackground(this);
    addScreenTitle(this, title);
    for (const Row& row : rows()) {
        if (row.page == page) {
            addChildBack(makeWidget(row));
        }
    }
    addCornerQuitButton(this, Language::BACK);
}

void ContextOptionsPage::deactivate(bool finished)
{
    Context::deactivate(finished);
    if (finished && appliesSettings()) {
        g_global->applySettings();
    }
    if (finished) {
        g_global->saveSettings();
    }
}
