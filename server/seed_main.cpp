// kalvorn-server-seed: fills a data directory's database, or a PostgreSQL database, with many
// registered players and their totals, for the benchmark. All players share one password
// ("benchmark") so that seeding does not spend an Argon2id hash on each of them. Totals are
// pseudo-random but the same on every run. Each player holds an open session whose token is
// "benchmark-" and the player's name, so that the benchmark can send totals as them without logging
// every one of them in first.
#include <cstdlib>
#include <iostream>
#include <random>
#include <string>

#include "Database.h"
#include "PasswordHasher.h"
#include "PgConnection.h"
#include "PgSeeding.h"
#include "Ranking.h"
#include "SessionCookie.h"
#include "UserStore.h"

// Far enough ahead that no benchmark outlives its seeded sessions (the year 2100).
constexpr int64_t kSeededSessionExpiry = 4102444800;

namespace {

constexpr const char* kCountries[] = {"Poland", "Germany", "United States", "Japan", "Brazil"};

int seedPostgresDatabase(const std::string& url, long count) {
    std::string hash = PasswordHasher().hash("benchmark");
    std::mt19937 random(42);
    std::uniform_int_distribution<int64_t> points(0, Storage::kMaxPoints);
    try {
        seedPostgres(url, count, [&](int64_t i) {
            std::string name = "player" + std::to_string(i);
            return SeededPlayer{name,
                                hash,
                                "player@example.com",
                                kCountries[i % 5],
                                sessionTokenHash("benchmark-" + name),
                                kSeededSessionExpiry,
                                points(random),
                                i};
        });
    } catch (const PgError& error) {
        std::cerr << "kalvorn-server-seed: " << withoutPassword(url) << ": " << error.what()
                  << "\n";
        return 1;
    }
    std::cout << "seeded " << count << " players in " << withoutPassword(url) << "\n";
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const bool postgres = argc == 4 && std::string(argv[1]) == "--database";
    if (argc != 3 && !postgres) {
        std::cerr << "usage: kalvorn-server-seed DATA_DIR USER_COUNT\n"
                     "       kalvorn-server-seed --database postgresql://... USER_COUNT\n"
                     "Adds players player1 ... playerN with totals to the service's database.\n";
        return 2;
    }
    char* end = nullptr;
    long count = std::strtol(argv[argc - 1], &end, 10);
    if (*end != '\0' || count < 0) {
        std::cerr << "kalvorn-server-seed: USER_COUNT must be a whole number\n";
        return 2;
    }
    if (postgres) {
        return seedPostgresDatabase(argv[2], count);
    }
    std::filesystem::path dataDirectory = argv[1];

    std::filesystem::create_directories(dataDirectory);
    Database database(dataDirectory / "kalvorn.sqlite");
    UserStore users(database);
    Ranking ranking(database);
    std::string hash = PasswordHasher().hash("benchmark");

    std::mt19937 random(42);
    std::uniform_int_distribution<int64_t> points(0, Storage::kMaxPoints);
    std::lock_guard lock(database.mutex());
    Transaction transaction(database);
    for (long i = 1; i <= count; ++i) {
        const std::string name = "player" + std::to_string(i);
        std::optional<int64_t> id =
            users.create({name, hash, "player@example.com", kCountries[i % 5], 0,
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
