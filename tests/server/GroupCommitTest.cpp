// Writes grouped into shared transactions, on a real database file.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>
#include <stdexcept>
#include <thread>
#include <vector>

#include "Database.h"
#include "GroupCommit.h"
#include "ServerTestSupport.h"
#include "UserStore.h"

namespace {

using namespace std::chrono_literals;

class GroupCommitTest : public ::testing::Test {
protected:
    ~GroupCommitTest() override {
        release();
        for (std::thread& thread : threads) {
            thread.join();
        }
    }

    void addUser(const std::string& name) {
        if (!users.create({name, "hash", "x@example.com", "Poland", 0, "", 0})) {
            throw std::runtime_error(name + " is taken");
        }
    }

    // Names as a separate reader sees them: only what is committed.
    std::vector<std::string> storedNames() {
        Database reader(directory.path() / "test.sqlite", Database::Access::Read);
        Query query = reader.query("SELECT name FROM users ORDER BY name");
        std::vector<std::string> names;
        while (query.step()) {
            names.push_back(query.text(0));
        }
        return names;
    }

    // Starts a write that adds "first" and then holds the writer until release(), so that what
    // is submitted meanwhile queues up for the next batch.
    void holdTheWriter() {
        std::atomic<bool> started = false;
        threads.emplace_back([this, &started] {
            writes.run([&] {
                addUser("first");
                started = true;
                held.wait();
            });
        });
        for (int i = 0; i < 500 && !started; ++i) {
            std::this_thread::sleep_for(10ms);
        }
        ASSERT_TRUE(started);
    }

    void release() {
        if (!released) {
            released = true;
            holder.set_value();
        }
    }

    TemporaryDirectory directory;
    Database database{directory.path() / "test.sqlite"};
    UserStore users{database};
    std::promise<void> holder;
    std::shared_future<void> held = holder.get_future().share();
    bool released = false;
    std::vector<std::thread> threads;
    GroupCommit writes{database};  // stops before the rest goes
};

}  // namespace

TEST_F(GroupCommitTest, WritesThatArriveTogetherShareACommitAndAreAcknowledgedOnlyAfterIt) {
    holdTheWriter();
    constexpr int kWriters = 40;
    std::atomic<int> acknowledged = 0;
    for (int i = 0; i < kWriters; ++i) {
        threads.emplace_back([this, i, &acknowledged] {
            writes.run([&] { addUser("writer" + std::to_string(i)); });
            ++acknowledged;
        });
    }
    std::this_thread::sleep_for(300ms);
    EXPECT_EQ(acknowledged, 0) << "acknowledged before its commit";
    EXPECT_TRUE(storedNames().empty()) << "a reader saw uncommitted writes";

    release();
    for (std::thread& thread : threads) {
        thread.join();
    }
    threads.clear();
    EXPECT_EQ(acknowledged, kWriters);
    EXPECT_EQ(storedNames().size(), size_t{kWriters + 1});
    // One commit for the held write, then (nearly) all the others together.
    EXPECT_LT(writes.commits(), 10u);
}

TEST_F(GroupCommitTest, AFailedWriteUndoesOnlyItsOwnChangesAndItsCallerGetsTheError) {
    holdTheWriter();
    auto later = [this](std::function<void()> write) {
        return std::async(std::launch::async, [this, write] { writes.run(write); });
    };
    auto anna = later([&] { addUser("anna"); });
    auto bert = later([&] {
        addUser("bert");
        throw std::runtime_error("refused half-way");
    });
    auto taken = later([&] { addUser("FIRST"); });
    auto cleo = later([&] { addUser("cleo"); });
    std::this_thread::sleep_for(200ms);
    release();

    EXPECT_NO_THROW(anna.get());
    EXPECT_THROW(bert.get(), std::runtime_error);
    EXPECT_THROW(taken.get(), std::runtime_error) << "a second \"first\" was stored";
    EXPECT_NO_THROW(cleo.get());
    EXPECT_EQ(storedNames(), (std::vector<std::string>{"anna", "cleo", "first"}));
}

TEST_F(GroupCommitTest, AWriteReturnsItsResultOnceCommitted) {
    std::optional<int64_t> id = writes.run([&] {
        return users.create({"dora", "hash", "d@example.com", "Chad", 0, "", 0});
    });
    ASSERT_TRUE(id);
    Database reader(directory.path() / "test.sqlite", Database::Access::Read);
    Query query = reader.query("SELECT id FROM users WHERE name = 'dora'");
    ASSERT_TRUE(query.step());
    EXPECT_EQ(query.integer(0), *id);
}
