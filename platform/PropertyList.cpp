// Property-list files through libplist.
#include "platform/PropertyList.h"

#include <fcntl.h>
#include <plist/plist.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <limits>
#include <memory>

namespace {

struct PlistFree {
    void operator()(plist_t node) const { plist_free(node); }
};
using PlistPtr = std::unique_ptr<void, PlistFree>;

// A settings file is tiny; anything far larger is not one of ours and is not read into memory.
constexpr std::streamsize kMaxFileSize = 16 * 1024 * 1024;

std::optional<std::string> readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    in.seekg(0, std::ios::end);
    std::streamsize size = in.tellg();
    if (size < 0 || size > kMaxFileSize) {
        return std::nullopt;
    }
    in.seekg(0);
    std::string data(static_cast<size_t>(size), '\0');
    if (!in.read(data.data(), size)) {
        return std::nullopt;
    }
    return data;
}

bool writeAll(int fd, const char* data, size_t length) {
    while (length > 0) {
        ssize_t written = ::write(fd, data, length);
        if (written < 0) {
            return false;
        }
        data += written;
        length -= static_cast<size_t>(written);
    }
    return true;
}

}  // namespace

namespace PropertyList {

std::optional<StringMap> readStringMap(const std::string& path) {
    std::optional<std::string> data = readFile(path);
    if (!data || data->empty()) {
        return std::nullopt;
    }
    plist_t rawRoot = nullptr;
    plist_from_memory(data->data(), static_cast<uint32_t>(data->size()), &rawRoot);
    PlistPtr root(rawRoot);
    if (!root || plist_get_node_type(root.get()) != PLIST_DICT) {
        return std::nullopt;
    }

    StringMap map;
    plist_dict_iter iter = nullptr;
    plist_dict_new_iter(root.get(), &iter);
    bool allText = true;
    while (iter) {
        char* key = nullptr;
        plist_t value = nullptr;
        plist_dict_next_item(root.get(), iter, &key, &value);
        if (!key) {
            break;
        }
        std::unique_ptr<char, decltype(&std::free)> ownedKey(key, &std::free);
        if (!value || plist_get_node_type(value) != PLIST_STRING) {
            allText = false;
            break;
        }
        uint64_t length = 0;
        const char* text = plist_get_string_ptr(value, &length);
        map[key] = std::string(text ? text : "", text ? length : 0);
    }
    std::free(iter);
    if (!allText) {
        return std::nullopt;
    }
    return map;
}

bool writeStringMapAtomically(const std::string& path, const StringMap& map) {
    PlistPtr root(plist_new_dict());
    for (const auto& [key, value] : map) {
        plist_dict_set_item(root.get(), key.c_str(), plist_new_string(value.c_str()));
    }
    char* xml = nullptr;
    uint32_t length = 0;
    plist_to_xml(root.get(), &xml, &length);
    if (!xml) {
        return false;
    }
    std::unique_ptr<char, decltype(&plist_to_xml_free)> ownedXml(xml, &plist_to_xml_free);

    std::string temporary = path + ".XXXXXX";
    int fd = mkstemp(temporary.data());
    if (fd < 0) {
        return false;
    }
    bool written = writeAll(fd, xml, length) && fsync(fd) == 0;
    written = (close(fd) == 0) && written;
    if (!written || std::rename(temporary.c_str(), path.c_str()) != 0) {
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}

}  // namespace PropertyList
