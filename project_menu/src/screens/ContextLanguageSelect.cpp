#include "screens/ContextLanguageSelect.h"

#include "gui/LanguageFlag.h"
#include "language/Language.h"

ContextLanguageSelect::ContextLanguageSelect()
{
    constexpr float FLAG_STEP = 75.0f;
    bDeleteWhenFinished = 1;
    bEscapeCloses = 0;
    clearColor = UColor(0x00, 0x10, 0x30, 0xFF);
    for (int i = 0; i < LANGUAGE_MAX; ++i) {
        auto* flag = new LanguageFlag(i);
        const V3 position(0.0f, -static_cast<float>(i - 2) * FLAG_STEP, 0.0f);
        flag->setPlacement(nullptr, &position, nullptr, nullptr);
        addChildBack(flag);
    }
}
