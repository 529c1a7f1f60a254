#include "app/ExitAddress.h"

#include <unistd.h>

pid_t openAddress(const UString& address)
{
    if (address.empty()) {
        return -1;
    }
    const pid_t child = fork();
    if (child == 0) {
        execlp(ADDRESS_OPENER, ADDRESS_OPENER, address.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    return child;
}
