// Rows of a backup copy, [id_gun, score, category], and the backup text the game uploads: the
// JSON array of its rows with every double quote turned into a single quote.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "QvJsonValue.h"

struct BackupRow {
    int idGun = 0;
    int score = 0;
    std::string category;

    friend bool operator==(const BackupRow&, const BackupRow&) = default;
};

constexpr int kMaxGunScore = 3000;
// One row per gun of the assembly game at most; anything longer is not a backup.
constexpr size_t kMaxBackupTextLength = 4096;

// The category of an assembly-game gun, or nothing for an id that is not one.
std::optional<std::string_view> categoryOfGun(int64_t idGun);

// The rows of a backup text, ordered by gun, or nothing when any part of the text is wrong: not
// JSON, not an array of [id_gun, score, category] rows, an unknown gun, a category that is not
// the gun's own, a score outside 0 to 3000, or the same gun twice. Values may be strings of
// digits (what the game sends) or JSON integers.
std::optional<std::vector<BackupRow>> parseBackupText(std::string_view text);

// The stored rows with the uploaded ones merged in, keeping the better score of each gun.
std::vector<BackupRow> mergeKeepingBest(const std::vector<BackupRow>& stored,
                                        const std::vector<BackupRow>& uploaded);

// Rows as the restore reply carries them: arrays of three strings.
QvJsonValue rowsToJson(const std::vector<BackupRow>& rows);
