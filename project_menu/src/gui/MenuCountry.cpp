#include "gui/MenuCountry.h"

#include <cctype>
#include <cstring>
#include <numbers>

#include "engine/Qel.h"
#include "global/Geometry.h"
#include "global/Global.h"
#include "input/QelInput.h"
#include "language/CountryCoordinates.h"
#include "language/Language.h"
#include "system/StringUtils.h"

QEL_IMPLEMENT_RUNTIME_CLASS(MenuCountry, MenuInt::runtimeClass(), QEL_NO_CREATOR);

namespace {

constexpr int CHOOSER_WIDTH = 512;

bool codeStartsWith(int position, char typed)
{
    const char* code = getCountryCode(getCountryRowAt(position));
    return std::tolower(static_cast<unsigned char>(code[0])) == static_cast<unsigned char>(typed);
}

} // namespace

MenuCountry::MenuCountry(float x, float y, float z, const UString& countryCaption, const UString& countryHelp,
                         int* value)
    : MenuInt(x, y, z, countryCaption, countryHelp, value, 0, COUNTRY_ROWS - 1, 1)
{
    setWidth(CHOOSER_WIDTH);
}

int MenuCountry::shownPosition() const
{
    return *pValue >= 0 && *pValue < COUNTRY_ROWS ? *pValue : 0;
}

void MenuCountry::update(double time, double dt)
{
    MenuInt::update(time, dt);
    const QelInput* input = g_qel->input;
    const char typed = input != nullptr ? input->getCharForKey(input->getNewKey()) : 0;
    if (bHovered && typed != 0) {
        const int found = findCountryByLetter(shownPosition(), typed);
        if (codeStartsWith(found, typed)) {
            *pValue = found;
        }
        // A letter counts as a click, without the click's sound.
        bClicked = true;
    }
    if (bClicked) {
        writeRecord();
    }
}

void MenuCountry::writeRecord() const
{
    const int row = getCountryRowAt(shownPosition());
    SettingsRecord& settings = g_global->settings;
    std::memcpy(settings.countryCode, getCountryCode(row), sizeof(settings.countryCode));
    const CountryPoint& point = getCountryPoint(row);
    const auto latitude = float(double(point.latitude) / 90.0 * (std::numbers::pi / 2.0));
    const auto longitude = float(double(point.longitude) / 180.0 * std::numbers::pi);
    settings.countryDirection = directionFromAngles(longitude, latitude);
}

UString MenuCountry::valueText() const
{
    const int row = getCountryRowAt(shownPosition());
    return formatString("%s (%s)", getCountryCode(row), g_qel->language->getText(getCountryTextId(row)));
}
