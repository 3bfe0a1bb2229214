// Property-list files holding a map of text keys to text values (the settings file).
// Reads XML and binary property lists; writes XML, atomically.
#pragma once

#include <map>
#include <optional>
#include <string>

using StringMap = std::map<std::string, std::string>;

namespace PropertyList {

// The map at the root of the property list at PATH, or absent when the file is missing or
// unreadable, is not a property list, has no map at its root or holds a value that is not text.
std::optional<StringMap> readStringMap(const std::string& path);

// Writes MAP as an XML property list to PATH: the text goes to a temporary file beside it,
// which is flushed to disk and then renamed over PATH, so a reader sees either the old file
// or the new one, never a half-written one. Returns false (PATH unchanged) on any failure.
bool writeStringMapAtomically(const std::string& path, const StringMap& map);

}  // namespace PropertyList
