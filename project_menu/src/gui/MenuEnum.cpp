#include "gui/MenuEnum.h"

#include "engine/Qel.h"
#include "language/Language.h"

QEL_IMPLEMENT_RUNTIME_CLASS(MenuEnum, MenuInt::runtimeClass(), QEL_NO_CREATOR);

MenuEnum::MenuEnum(float x, float y, float z, const UString& enumCaption, const UString& enumHelp, int* value,
                   int min, int max, int firstText)
    : MenuInt(x, y, z, enumCaption, enumHelp, value, min, max, 1)
    , firstTextId(firstText)
{
}

UString MenuEnum::valueText() const
{
    const long long id = static_cast<long long>(firstTextId) + *pValue;
    if (id < 0 || id >= Language::STRING_COUNT) {
        return UString();
    }
    return g_qel->language->getText(static_cast<Language::StringsEnum>(id));
}
