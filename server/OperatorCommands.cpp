// Backup copy commands for the operator, run on the storage while the service may be running
// (the storage serialises the writes of the processes).
#include "OperatorCommands.h"

#include <ctime>
#include <iostream>

namespace {

std::string utcTime(int64_t seconds) {
    std::time_t time = static_cast<std::time_t>(seconds);
    std::tm parts{};
    gmtime_r(&time, &parts);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S UTC", &parts);
    return text;
}

int listCopies(Storage& storage, const std::string& name) {
    std::optional<User> user = storage.findUser(name);
    if (!user) {
        std::cerr << "kalvorn-server: no user named " << name << "\n";
        return 1;
    }
    std::cout << "copy\tmade\trows\tby\n";
    for (const BackupCopyInfo& copy : storage.listCopies(user->id)) {
        std::cout << copy.id << "\t" << utcTime(copy.createdAt) << "\t" << copy.rowCount << "\t"
                  << copy.origin << "\n";
    }
    return 0;
}

int bringBack(Storage& storage, int64_t copyId) {
    std::optional<int64_t> newId = storage.bringBackCopy(copyId, std::time(nullptr));
    if (!newId) {
        std::cerr << "kalvorn-server: no backup copy " << copyId << "\n";
        return 1;
    }
    std::cout << "copy " << copyId << " is the current copy again, as copy " << *newId << "\n";
    return 0;
}

}  // namespace

int runOperatorCommand(const ServerOptions& options, Storage& storage) {
    if (options.listCopiesOf) {
        return listCopies(storage, *options.listCopiesOf);
    }
    return bringBack(storage, *options.copyToBringBack);
}
