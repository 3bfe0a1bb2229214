// The operator's commands of kalvorn-server: list a user's backup copies and bring one back.
#pragma once

#include "ServerOptions.h"
#include "Storage.h"

// Runs the command the options name and returns the process exit status.
int runOperatorCommand(const ServerOptions& options, Storage& storage);
