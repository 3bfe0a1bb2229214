// Where the connections keep the service's session cookie between starts of the game.
#pragma once

#include <string>

// The cookie file in the documents directory. The session outlives the process only while
// autologin is on; otherwise the file is removed, so each start begins logged out of the service
// as it begins logged out of the hub.
std::string prepareSessionCookieFile(const std::string& documentsDirectory, bool autologin);
