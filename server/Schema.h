// The tables of the service, in the two SQL dialects it speaks, kept side by side so that the
// SQLite file and a PostgreSQL database always hold the same schema.
//
// A new database gets the base schema at version 0; each migration then raises the version by
// one, in the transaction that makes its change. A database whose version is above
// kSchemaVersion was made by a newer program and is refused.
#pragma once

#include <cstddef>

struct SchemaStep {
    const char* sqlite;
    const char* postgres;
};

extern const SchemaStep kBaseSchema;
extern const SchemaStep kMigrations[];
extern const size_t kMigrationCount;

// The version a database has once every migration is applied.
inline size_t schemaVersion() {
    return kMigrationCount;
}
