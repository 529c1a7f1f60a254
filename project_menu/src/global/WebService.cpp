#include "global/WebService.h"

UString webServiceHost()
{
    return UString(VABO_WEB_SERVICE_HOST);
}

UString webServiceAddress(const char* path)
{
    return UString("http://") + webServiceHost() + path;
}
