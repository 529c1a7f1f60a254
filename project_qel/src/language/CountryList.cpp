#include "language/CountryList.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace {

constexpr int COUNTRY_PREFIX_LENGTH = 7;  // "COUNTRY"

static_assert(Language::COUNTRYZW - Language::COUNTRYNONE + 1 == COUNTRY_ROWS,
              "one country row per country identifier");

std::array<int, COUNTRY_ROWS> buildDisplayOrder()
{
    std::array<int, COUNTRY_ROWS> order{};
    for (int row = 0; row < COUNTRY_ROWS; ++row) {
        order[row] = row;
    }
    std::sort(order.begin() + 1, order.end(), [](int a, int b) {
        return std::strcmp(getCountryCode(a), getCountryCode(b)) < 0;
    });
    return order;
}

const std::array<int, COUNTRY_ROWS>& displayOrder()
{
    static const std::array<int, COUNTRY_ROWS> order = buildDisplayOrder();
    return order;
}

char toLowerAscii(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

const char* getCountryCode(int row)
{
    if (row == 0) {
        return "--";
    }
    if (row < 0 || row >= COUNTRY_ROWS) {
        return nullptr;
    }
    return Language::nameOf(Language::COUNTRYNONE + row) + COUNTRY_PREFIX_LENGTH;
}

Language::StringsEnum getCountryTextId(int row)
{
    return static_cast<Language::StringsEnum>(Language::COUNTRYNONE + row);
}

int getCountryRowAt(int position)
{
    if (position < 0 || position >= COUNTRY_ROWS) {
        return -1;
    }
    return displayOrder()[position];
}

int findCountryByLetter(int position, char typed)
{
    if (position < 0 || position >= COUNTRY_ROWS) {
        return position;
    }
    for (int step = 1; step < COUNTRY_ROWS; ++step) {
        const int candidate = (position + step) % COUNTRY_ROWS;
        if (toLowerAscii(getCountryCode(getCountryRowAt(candidate))[0]) == typed) {
            return candidate;
        }
    }
    return position;
}
