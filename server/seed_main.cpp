// kalvorn-server-seed: fills a data directory with many registered players and their totals, for
// the benchmark. All players share one password ("benchmark") so that seeding does not spend an
// Argon2id hash on each of them. Totals are pseudo-random but the same on every run. Each player
// holds an open session whose token is "benchmark-" and the player's name, so that the benchmark
// can send totals as them without logging every one of them in first.
#include <cstdlib>
#include <iostream>
#include <random>
#include <string>

#include "Database.h"
#include "PasswordHasher.h"
#include "Ranking.h"
#include "SessionCookie.h"
#include "UserStore.h"

// Far enough ahead that no benchmark outlives its seeded sessions (the year 2100).
constexpr int64_t kSeededSessionExpiry = 4102444800;

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: kalvorn-server-seed DATA_DIR USER_COUNT\n"
                     "Adds players player1 ... playerN with totals to the service's database.\n";
        return 2;
    }
    std::filesystem::path dataDirectory = argv[1];
    char* end = nullptr;
    long count = std::strtol(argv[2], &end, 10);
    if (*end != '\0' || count < 0) {
        std::cerr << "kalvorn-server-seed: USER_COUNT must be a whole number\n";
        return 2;
    }

    std::filesystem::create_directories(dataDirectory);
    Database database(dataDirectory / "kalvorn.sqlite");
    UserStore users(database);
    Ranking ranking(database);
    std::string hash = PasswordHasher().hash("benchmark");
    const char* countries[] = {"Poland", "Germany", "United States", "Japan", "Brazil"};

    std::mt19937 random(42);
    std::uniform_int_distribution<int64_t> points(0, Storage::kMaxPoints);
    std::lock_guard lock(database.mutex());
    Transaction transaction(database);
    for (long i = 1; i <= count; ++i) {
        const std::string name = "player" + std::to_string(i);
        std::optional<int64_t> id =
            users.create({name, hash, "player@example.com", countries[i % 5], 0,
                          sessionTokenHash("benchmark-" + name), kSeededSessionExpiry});
        if (!id) {
            std::cerr << "kalvorn-server-seed: " << name << " is there already\n";
            return 1;
        }
        ranking.setTotal(*id, points(random), i);
    }
    transaction.commit();
    std::cout << "seeded " << count << " players in " << dataDirectory.string() << "\n";
    return 0;
}
