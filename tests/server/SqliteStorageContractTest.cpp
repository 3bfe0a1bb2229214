// The storage contract on a SQLite file in a temporary directory.
#include "ServerTestSupport.h"
#include "SqliteStorage.h"
#include "StorageContract.h"

namespace {

class SqlitePlace : public StoragePlace {
public:
    std::unique_ptr<Storage> open() override {
        return std::make_unique<SqliteStorage>(directory_.path() / "kalvorn.sqlite");
    }

private:
    TemporaryDirectory directory_;
};

}  // namespace

INSTANTIATE_TEST_SUITE_P(Sqlite, StorageContractTest,
                         ::testing::Values(StorageKind{
                             "Sqlite", [] { return std::make_unique<SqlitePlace>(); }}),
                         StorageKind::nameOf);
