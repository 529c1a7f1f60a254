#include "property/Property.h"

#include <cerrno>
#include <cstdlib>
#include <limits>

#include "net/Packet.h"

QEL_IMPLEMENT_RUNTIME_CLASS(Property, QelBase::runtimeClass(), QEL_NO_CREATOR);

Property::Property(const UString& propertyName, u32 propertyFlags)
    : flags(propertyFlags), name(propertyName)
{
}

bool Property::isLeftOutOf(const Packet* packet) const
{
    return (flags & packet->flags & (SKIP_FLAG1 | SKIP_FLAG2)) != 0;
}

void Property::netSerialize(Packet* packet)
{
    if (isLeftOutOf(packet)) {
        return;
    }
    for (BasicLink* child = firstChild; child != nullptr; child = child->next) {
        if (!child->bDead && !child->bSkip) {
            static_cast<QelBase*>(child)->netSerialize(packet);
        }
    }
}

void Property::netSerializeProperty(Packet*)
{
}

UString Property::toString()
{
    return "";
}

void Property::fromString(const UString&)
{
}

Property* Property::findMarked()
{
    for (BasicLink* child = lastChild; child != nullptr; child = child->prev) {
        if (child->bDead || child->bSkip) {
            continue;
        }
        Property* found = static_cast<Property*>(child)->findMarked();
        if (found != nullptr) {
            return found;
        }
    }
    return (flags & MARKED) != 0 ? this : nullptr;
}

void Property::deleteFlagged(u32 mask)
{
    for (BasicLink* child = firstChild; child != nullptr;) {
        BasicLink* following = child->next;
        if (!child->bDead && (static_cast<Property*>(child)->flags & mask) != 0) {
            static_cast<Property*>(child)->deleteMe();
        }
        child = following;
    }
    for (BasicLink* child = firstChild; child != nullptr; child = child->next) {
        static_cast<Property*>(child)->deleteFlagged(mask);
    }
}

bool Property::parseIntText(const UString& text, i32* value)
{
    const char* start = text.c_str();
    char* end = nullptr;
    errno = 0;
    long long parsed = std::strtoll(start, &end, 10);
    if (end == start) {
        return false;
    }
    if (parsed > std::numeric_limits<i32>::max()) {
        parsed = std::numeric_limits<i32>::max();
    } else if (parsed < std::numeric_limits<i32>::min()) {
        parsed = std::numeric_limits<i32>::min();
    }
    *value = static_cast<i32>(parsed);
    return true;
}

bool Property::parseHexText(const UString& text, u64* value)
{
    const char* start = text.c_str();
    char* end = nullptr;
    // strtoull would take a sign; "%x" reads plain digits after blanks.
    while (*start == ' ' || *start == '\t' || *start == '\n' || *start == '\r') {
        ++start;
    }
    if (*start == '-' || *start == '+') {
        return false;
    }
    unsigned long long parsed = std::strtoull(start, &end, 16);
    if (end == start) {
        return false;
    }
    *value = parsed;
    return true;
}

bool Property::parseDoubleText(const UString& text, double* value)
{
    const char* start = text.c_str();
    char* end = nullptr;
    double parsed = std::strtod(start, &end);
    if (end == start) {
        return false;
    }
    *value = parsed;
    return true;
}

UString Property::formatNumberText(double value)
{
    UString text = formatString("%.9lf", value);
    if (text.find('.') != UString::npos) {
        while (!text.empty() && text.back() == '0') {
            text.pop_back();
        }
        if (!text.empty() && text.back() == '.') {
            text.push_back('0');
        }
    }
    return text;
}
