#include "loader/LoaderStages.h"

#include <iterator>

#include "engine/Qel.h"
#include "language/Language.h"
#include "loader/StartupResources.h"

namespace {

constexpr int FONT_COUNT = 5;
constexpr int CODEPAGE_FAMILIES = 4;

void addRun(std::vector<LoaderStage>& stages, LoaderStageKind kind, int first, int end)
{
    for (int i = first; i < end; ++i) {
        stages.push_back({kind, i});
    }
}

int countOf(const auto& table)
{
    return static_cast<int>(std::size(table));
}

} // namespace

std::vector<LoaderStage> buildLoaderStages(const LoaderMode& mode)
{
    const bool single = !mode.bMultilanguage;
    const bool withCodepage = single && !mode.codepage.empty();
    std::vector<LoaderStage> stages;
    stages.push_back({LoaderStageKind::NOTHING, 0});
    stages.push_back({LoaderStageKind::MUSIC, 0});
    stages.push_back({LoaderStageKind::START_MENU_MUSIC, 0});
    addRun(stages, LoaderStageKind::MUSIC, 1, countOf(startup::music));
    addRun(stages, LoaderStageKind::EARLY_IMAGE, 0, countOf(startup::earlyImages));
    addRun(stages, LoaderStageKind::FONT_TEXTURE, 0, countOf(startup::fontTextures));
    if (withCodepage) {
        addRun(stages, LoaderStageKind::CODEPAGE_TEXTURES, 0, CODEPAGE_FAMILIES);
    }
    addRun(stages, LoaderStageKind::IMAGE, 0, countOf(startup::images));
    stages.push_back({LoaderStageKind::LEVEL_IMAGES, 0});
    addRun(stages, LoaderStageKind::SOUND, 0, countOf(startup::sounds));
    addRun(stages, LoaderStageKind::FONT, 0, FONT_COUNT);
    if (single) {
        addRun(stages, LoaderStageKind::ATTACH_CODEPAGE, 0, CODEPAGE_FAMILIES);
    }
    stages.push_back({LoaderStageKind::SETTINGS, 0});
    stages.push_back({LoaderStageKind::LANGUAGE, 0});
    stages.push_back({LoaderStageKind::HAND_OVER, 0});
    return stages;
}

UString singleLanguageCodepage()
{
    int language = g_qel->singleLanguage;
    if (language < 0 || language >= LANGUAGE_MAX) {
        language = 0;
    }
    return UString(g_qel->language->getTextIn(language, Language::LANGUAGECODEPAGE));
}

LoaderMode currentLoaderMode()
{
    LoaderMode mode;
    mode.bMultilanguage = g_qel->bMultilanguage;
    if (!mode.bMultilanguage) {
        mode.codepage = singleLanguageCodepage();
    }
    return mode;
}
