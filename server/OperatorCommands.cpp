// Backup copy commands for the operator, run on the database while the service may be running
// (SQLite serialises the writes of the two processes).
#include "OperatorCommands.h"

#include <ctime>
#include <iostream>

#include "BackupStore.h"
#include "UserStore.h"

namespace {

std::string utcTime(int64_t seconds) {
    std::time_t time = static_cast<std::time_t>(seconds);
    std::tm parts{};
    gmtime_r(&time, &parts);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S UTC", &parts);
    return text;
}

int listCopies(Database& database, const std::string& name) {
    std::lock_guard lock(database.mutex());
    std::optional<User> user = UserStore(database).find(name);
    if (!user) {
        std::cerr << "kalvorn-server: no user named " << name << "\n";
        return 1;
    }
    std::cout << "copy\tmade\trows\tby\n";
    for (const BackupCopyInfo& copy : BackupStore(database).list(user->id)) {
        std::cout << copy.id << "\t" << utcTime(copy.createdAt) << "\t" << copy.rowCount << "\t"
                  << copy.origin << "\n";
    }
    return 0;
}

int bringBack(Database& database, int64_t copyId) {
    std::lock_guard lock(database.mutex());
    std::optional<int64_t> newId = BackupStore(database).bringBack(copyId, std::time(nullptr));
    if (!newId) {
        std::cerr << "kalvorn-server: no backup copy " << copyId << "\n";
        return 1;
    }
    std::cout << "copy " << copyId << " is the current copy again, as copy " << *newId << "\n";
    return 0;
}

}  // namespace

int runOperatorCommand(const ServerOptions& options, Database& database) {
    if (options.listCopiesOf) {
        return listCopies(database, *options.listCopiesOf);
    }
    return bringBack(database, *options.copyToBringBack);
}
