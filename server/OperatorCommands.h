// The operator's commands of kalvorn-server: list a user's backup copies and bring one back.
#pragma once

#include "Database.h"
#include "ServerOptions.h"

// Runs the command the options name and returns the process exit status.
int runOperatorCommand(const ServerOptions& options, Database& database);
