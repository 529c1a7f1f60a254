#pragma once
// Where the game's web service lives: one host for its home page, its
// pages opened in the browser and its requests. The build names the host;
// the environment variable VABO_WEB_SERVICE_HOST, when set, names another
// for this run, so that a packager or a test can point the game elsewhere
// without touching the player's files.
//
// The host goes into request heads and into addresses handed to the
// system's opener, so only a host name or a dotted address with an
// optional port is taken: letters, digits, "." and "-", then perhaps ":"
// and digits. Any other value of the variable is logged and ignored.
#include "system/UString.h"

// The host name of the web service, with its port when it has one.
UString webServiceHost();
// The web address of a page of the service: "http://", the host, the path.
UString webServiceAddress(const char* path);
// Whether a text may serve as the host.
bool isWebServiceHost(const UString& host);
