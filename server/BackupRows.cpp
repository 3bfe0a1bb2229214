// Reading, checking and merging backup rows.
#include "BackupRows.h"

#include <algorithm>
#include <map>

#include "QvJsonParser.h"

namespace {

// The deepest a valid backup text goes is an array of arrays.
constexpr uint32_t kMaxBackupDepth = 2;

// A whole number from a string of decimal digits or a JSON integer.
std::optional<int64_t> wholeNumber(const QvJsonValue& value) {
    if (const std::string* text = value.asString()) {
        if (text->empty() || text->size() > 9 ||
            !std::all_of(text->begin(), text->end(), [](char c) { return c >= '0' && c <= '9'; })) {
            return std::nullopt;
        }
        return std::stoll(*text);
    }
    return value.asInteger();
}

std::optional<BackupRow> rowFrom(const QvJsonValue& value) {
    const QvJsonArray* fields = value.asArray();
    if (fields == nullptr || fields->size() != 3) {
        return std::nullopt;
    }
    std::optional<int64_t> idGun = wholeNumber((*fields)[0]);
    std::optional<int64_t> score = wholeNumber((*fields)[1]);
    const std::string* category = (*fields)[2].asString();
    if (!idGun || !score || category == nullptr || *score < 0 || *score > kMaxGunScore) {
        return std::nullopt;
    }
    std::optional<std::string_view> expected = categoryOfGun(*idGun);
    if (!expected || *expected != *category) {
        return std::nullopt;
    }
    return BackupRow{static_cast<int>(*idGun), static_cast<int>(*score), *category};
}

}  // namespace

std::optional<std::string_view> categoryOfGun(int64_t idGun) {
    struct Range {
        int64_t first;
        int64_t last;
        std::string_view category;
    };
    // Gun 17 belongs to no category: the assembly game has no such gun.
    static constexpr Range kRanges[] = {
        {1, 11, "handgun"},      {12, 16, "submachine"}, {18, 22, "rifles"},
        {23, 25, "machineguns"}, {26, 27, "sniper"},     {28, 30, "shotgun"},
    };
    for (const Range& range : kRanges) {
        if (idGun >= range.first && idGun <= range.last) {
            return range.category;
        }
    }
    return std::nullopt;
}

std::optional<std::vector<BackupRow>> parseBackupText(std::string_view text) {
    // The parser would stop at a zero byte and accept whatever came before it.
    if (text.size() > kMaxBackupTextLength || text.find('\0') != std::string_view::npos) {
        return std::nullopt;
    }
    std::string json(text);
    std::replace(json.begin(), json.end(), '\'', '"');

    QvJsonParser parser;
    parser.setMaxDepth(kMaxBackupDepth);
    std::optional<QvJsonValue> parsed = parser.objectWithString(json);
    const QvJsonArray* elements = parsed ? parsed->asArray() : nullptr;
    if (elements == nullptr) {
        return std::nullopt;
    }
    std::vector<BackupRow> rows;
    for (const QvJsonValue& element : *elements) {
        std::optional<BackupRow> row = rowFrom(element);
        if (!row) {
            return std::nullopt;
        }
        rows.push_back(std::move(*row));
    }
    std::sort(rows.begin(), rows.end(),
              [](const BackupRow& a, const BackupRow& b) { return a.idGun < b.idGun; });
    auto sameGun = [](const BackupRow& a, const BackupRow& b) { return a.idGun == b.idGun; };
    if (std::adjacent_find(rows.begin(), rows.end(), sameGun) != rows.end()) {
        return std::nullopt;
    }
    return rows;
}

std::vector<BackupRow> mergeKeepingBest(const std::vector<BackupRow>& stored,
                                        const std::vector<BackupRow>& uploaded) {
    std::map<int, BackupRow> byGun;
    for (const std::vector<BackupRow>* rows : {&stored, &uploaded}) {
        for (const BackupRow& row : *rows) {
            auto [position, inserted] = byGun.emplace(row.idGun, row);
            if (!inserted && row.score > position->second.score) {
                position->second = row;
            }
        }
    }
    std::vector<BackupRow> merged;
    for (auto& [idGun, row] : byGun) {
        merged.push_back(row);
    }
    return merged;
}

QvJsonValue rowsToJson(const std::vector<BackupRow>& rows) {
    QvJsonArray array;
    for (const BackupRow& row : rows) {
        array.push_back(QvJsonArray{QvJsonValue::fromString(std::to_string(row.idGun)),
                                    QvJsonValue::fromString(std::to_string(row.score)),
                                    QvJsonValue::fromString(row.category)});
    }
    return array;
}
