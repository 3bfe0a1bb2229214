// What every kind of Storage must do, as one suite of tests run on each kind. A kind takes part
// by instantiating the suite with a StorageKind, in a file of its own:
//
//   INSTANTIATE_TEST_SUITE_P(Sqlite, StorageContractTest,
//                            ::testing::Values(StorageKind{"Sqlite", makeSqlitePlace}),
//                            StorageKind::nameOf);
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <ostream>
#include <string>

#include "Storage.h"

// Where one test keeps its data, empty at first and gone with this object. Each open() gives a
// new Storage on the same data, as a restarted service would have.
class StoragePlace {
public:
    virtual ~StoragePlace() = default;
    virtual std::unique_ptr<Storage> open() = 0;
};

struct StorageKind {
    std::string name;  // letters and digits only: it names the tests
    std::function<std::unique_ptr<StoragePlace>()> makePlace;

    static std::string nameOf(const ::testing::TestParamInfo<StorageKind>& info) {
        return info.param.name;
    }
};

inline void PrintTo(const StorageKind& kind, std::ostream* out) {
    *out << kind.name;
}

class StorageContractTest : public ::testing::TestWithParam<StorageKind> {
protected:
    StorageContractTest() : place(GetParam().makePlace()), storage(place->open()) {}

    // A user with a made-up password hash, and no session.
    int64_t addUser(const std::string& name, const std::string& country = "Poland");

    std::unique_ptr<StoragePlace> place;
    std::unique_ptr<Storage> storage;
};
