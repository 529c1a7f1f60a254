#pragma once
// Where the game's web service lives: one host for its home page, its
// pages opened in the browser and its requests.
#include "system/UString.h"

// The host name of the web service.
UString webServiceHost();
// The web address of a page of the service: "http://", the host, the path.
UString webServiceAddress(const char* path);
