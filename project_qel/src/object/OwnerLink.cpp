#include "object/OwnerLink.h"

OwnerLink::~OwnerLink()
{
    firstChild = lastChild = nullptr;
    parent = nullptr;
}
