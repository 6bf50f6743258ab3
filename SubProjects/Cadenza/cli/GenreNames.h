#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Genres by name for the command line, over the tag library's fixed table
// (0 to 147, then 255).
namespace GenreNames {

// Every number of the table, in order.
std::vector<int> Numbers();

// The number of the genre called name, letter case ignored; nothing when no
// genre of the table is called that.
std::optional<int> NumberOf(std::string_view name);

// Up to max names of the table most like name, letter case ignored: first
// those that begin with it, then those that hold it, then those at most a
// few typing mistakes away (edits: a third of name's length, at least one),
// the fewest first; each group in table order.
std::vector<std::string> Closest(std::string_view name, std::size_t max = 5);

// The value of "--genre": a number from 0 to 255 or a genre name. Nothing,
// with the reason on stderr ("cadenza-cli VERB: ..."), for anything else.
std::optional<std::uint8_t> ReadOption(const char* verb, const std::string& value);

} // namespace GenreNames
