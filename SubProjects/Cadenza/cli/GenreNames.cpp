#include "GenreNames.h"

#include "CliOptions.h"
#include "TagPrinting.h"

#include "Quaver/Genres.h"

#include "Platform/Numeric.h"

#include <algorithm>
#include <iostream>
#include <numeric>

namespace GenreNames {

namespace {

std::string lower(std::string_view text)
{
    std::string result(text);
    for (char& c : result) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return result;
}

// Levenshtein distance: insertions, deletions and substitutions.
std::size_t editDistance(const std::string& a, const std::string& b)
{
    std::vector<std::size_t> row(b.size() + 1);
    std::iota(row.begin(), row.end(), std::size_t{0});
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t above = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
            diagonal = above;
        }
    }
    return row[b.size()];
}

} // namespace

std::vector<int> Numbers()
{
    std::vector<int> numbers;
    for (int number = 0; number <= 255; ++number) {
        if (Quaver::Genres::NameOf(number) != nullptr)
            numbers.push_back(number);
    }
    return numbers;
}

std::optional<int> NumberOf(std::string_view name)
{
    const std::string wanted = lower(name);
    for (const int number : Numbers()) {
        if (lower(Quaver::Genres::NameOf(number)) == wanted)
            return number;
    }
    return std::nullopt;
}

std::vector<std::string> Closest(std::string_view name, std::size_t max)
{
    const std::string wanted = lower(name);
    const std::size_t allowed = std::max<std::size_t>(1, wanted.size() / 3);
    struct Candidate
    {
        std::size_t group; // 0 begins with it, 1 holds it, 2 + edits otherwise
        int number;
    };
    std::vector<Candidate> candidates;
    for (const int number : Numbers()) {
        const std::string genre = lower(Quaver::Genres::NameOf(number));
        if (genre.rfind(wanted, 0) == 0)
            candidates.push_back({0, number});
        else if (genre.find(wanted) != std::string::npos)
            candidates.push_back({1, number});
        else if (const std::size_t edits = editDistance(wanted, genre); edits <= allowed)
            candidates.push_back({1 + edits, number});
    }
    std::stable_sort(candidates.begin(), candidates.end(),
                     [](const Candidate& a, const Candidate& b) { return a.group < b.group; });
    std::vector<std::string> names;
    for (std::size_t i = 0; i < candidates.size() && i < max; ++i)
        names.emplace_back(Quaver::Genres::NameOf(candidates[i].number));
    return names;
}

std::optional<std::uint8_t> ReadOption(const char* verb, const std::string& value)
{
    if (Platform::IsNumeric(value) || value.empty()) {
        if (const auto number = ReadNumber(value, 255))
            return static_cast<std::uint8_t>(*number);
        std::cerr << "cadenza-cli " << verb << ": --genre needs a number from 0 to 255 or a genre name, not '"
                  << TagPrinting::visible(value) << "'\n";
        return std::nullopt;
    }
    if (const auto number = NumberOf(value))
        return static_cast<std::uint8_t>(*number);
    std::cerr << "cadenza-cli " << verb << ": --genre: no genre is called '" << TagPrinting::visible(value)
              << "'";
    const std::vector<std::string> closest = Closest(value);
    for (std::size_t i = 0; i < closest.size(); ++i)
        std::cerr << (i == 0 ? "; closest: " : ", ") << closest[i];
    std::cerr << " (cadenza-cli genres lists them all)\n";
    return std::nullopt;
}

} // namespace GenreNames
