// Brings a PostgreSQL database to the schema of this program: the base schema on an empty
// database, then each missing migration, one transaction per step. Every step holds one advisory
// lock, so service processes starting together on one database apply each step once.
#pragma once

#include "PgConnection.h"

// Throws PgError when a step fails, or when the database's version is newer than this
// program's (such a database is left as it is).
void bringSchemaUpToDate(PgConnection& connection);

// The database's schema version.
int64_t schemaVersionOf(PgConnection& connection);
