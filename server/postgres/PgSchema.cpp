#include "PgSchema.h"

#include "Schema.h"

namespace {

// Any number taken by no other advisory lock of the service (these hold text hashes).
constexpr const char* kSchemaLock = "SELECT pg_advisory_xact_lock(7411500)";

void refuseNewer(int64_t version) {
    const auto latest = static_cast<int64_t>(schemaVersion());
    if (version > latest) {
        throw PgError("the database has schema version " + std::to_string(version) +
                          ", newer than " + std::to_string(latest) +
                          ", the newest this program knows",
                      "");
    }
}

bool hasSchema(PgConnection& connection) {
    return !connection.execute("SELECT to_regclass('schema_version')").isNull(0, 0);
}

// One step under the lock; false once there is nothing left to do.
bool applyNextStep(PgConnection& connection) {
    connection.execute("BEGIN");
    try {
        connection.execute(kSchemaLock);
        bool applied = true;
        if (!hasSchema(connection)) {
            connection.executeScript(kBaseSchema.postgres);
        } else {
            int64_t version = schemaVersionOf(connection);
            refuseNewer(version);
            if (version == static_cast<int64_t>(schemaVersion())) {
                applied = false;
            } else {
                connection.executeScript(kMigrations[version].postgres);
                connection.execute("UPDATE schema_version SET version = version + 1");
            }
        }
        connection.execute("COMMIT");
        return applied;
    } catch (...) {
        if (connection.usable()) {
            connection.executeScript("ROLLBACK");
        }
        throw;
    }
}

}  // namespace

int64_t schemaVersionOf(PgConnection& connection) {
    PgResult result = connection.execute("SELECT version FROM schema_version");
    if (result.rows() != 1) {
        throw PgError("schema_version does not hold one row", "");
    }
    return result.integer(0, 0);
}

void bringSchemaUpToDate(PgConnection& connection) {
    while (applyNextStep(connection)) {
    }
}
