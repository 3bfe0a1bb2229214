// The storage contract on PostgreSQL: each test gets a database of its own on the test program's
// server.
#include "PostgresServer.h"
#include "PostgresStorage.h"
#include "StorageContract.h"

namespace {

class PostgresPlace : public StoragePlace {
public:
    std::unique_ptr<Storage> open() override { return std::make_unique<PostgresStorage>(url_); }

private:
    std::string url_ = sharedPostgres().createDatabase();
};

}  // namespace

INSTANTIATE_TEST_SUITE_P(Postgres, StorageContractTest,
                         ::testing::Values(StorageKind{
                             "Postgres", [] { return std::make_unique<PostgresPlace>(); }}),
                         StorageKind::nameOf);
