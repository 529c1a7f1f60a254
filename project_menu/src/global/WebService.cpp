#include "global/WebService.h"

#include <cstdlib>

#include "engine/QelAssert.h"

namespace {

constexpr const char* HOST_VARIABLE = "VABO_WEB_SERVICE_HOST";

bool isHostCharacter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' || c == '-';
}

} // namespace

bool isWebServiceHost(const UString& host)
{
    size_t i = 0;
    while (i < host.size() && isHostCharacter(host[i])) {
        ++i;
    }
    if (i == 0) {
        return false;
    }
    if (i == host.size()) {
        return true;
    }
    if (host[i] != ':' || i + 1 == host.size()) {
        return false;
    }
    for (++i; i < host.size(); ++i) {
        if (host[i] < '0' || host[i] > '9') {
            return false;
        }
    }
    return true;
}

UString webServiceHost()
{
    const char* chosen = std::getenv(HOST_VARIABLE);
    if (chosen != nullptr) {
        if (isWebServiceHost(UString(chosen))) {
            return UString(chosen);
        }
        QEL_LOG("Ignoring %s: \"%s\" is not a host name with an optional port.", HOST_VARIABLE, chosen);
    }
    return UString(VABO_WEB_SERVICE_HOST);
}

UString webServiceAddress(const char* path)
{
    return UString("http://") + webServiceHost() + path;
}
