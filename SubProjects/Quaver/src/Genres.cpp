#include "Quaver/Genres.h"

#include "Platform/Numeric.h"
#include "Platform/RuntimeError.h"

#include <array>
#include <charconv>

namespace Quaver {

namespace {

constexpr std::array<const char*, 148> kNames = {
    "Blues",
    "Classic Rock",
    "Country",
    "Dance",
    "Disco",
    "Funk",
    "Grunge",
    "Hip-Hop",
    "Jazz",
    "Metal",
    "New Age",
    "Oldies",
    "Other",
    "Pop",
    "R&B",
    "Rap",
    "Reggae",
    "Rock",
    "Techno",
    "Industrial",
    "Alternative",
    "Ska",
    "Death Metal",
    "Pranks",
    "Soundtrack",
    "Euro -Techno",
    "Ambient",
    "Trip -Hop",
    "Vocal",
    "Jazz Funk",
    "Fusion",
    "Trance",
    "Classical",
    "Instrumental",
    "Acid",
    "House",
    "Game",
    "Sound Clip",
    "Gospel",
    "Noise",
    "Alternative Rock",
    "Bass",
    "Soul",
    "Punk",
    "Space",
    "Meditative",
    "Instrumental Pop",
    "Instrumental Rock",
    "Ethnic",
    "Gothic",
    "Darkwave",
    "Techno -Industrial",
    "Electronic",
    "Pop -Folk",
    "Eurodance",
    "Dream",
    "Southern Rock",
    "Comedy",
    "Cult",
    "Gangsta",
    "Top40",
    "Christian Rap",
    "Pop/Funk",
    "Jungle",
    "Native US",
    "Cabaret",
    "New Wave",
    "Psychadelic",
    "Rave",
    "Showtunes",
    "Trailer",
    "Lo -Fi",
    "Tribal",
    "Acid Punk",
    "Acid Jazz",
    "Polka",
    "Retro",
    "Musical",
    "Rock & Roll",
    "Hard Rock",
    "Folk",
    "Folk -Rock",
    "National Folk",
    "Swing",
    "Fast Fusion",
    "Bebob",
    "Latin",
    "Revival",
    "Celtic",
    "Bluegrass",
    "Avantgarde",
    "Gothic Rock",
    "Progressive Rock",
    "Psychedelic Rock",
    "Symphonic Rock",
    "Slow Rock",
    "Big Band",
    "Chorus",
    "Easy Listening",
    "Accoustic",
    "Humour",
    "Speech",
    "Chanson",
    "Opera",
    "Chamber Music",
    "Sonata",
    "Symphony",
    "BootyBass",
    "Primus",
    "Porn Groove",
    "Satire",
    "Slow Jam",
    "Club",
    "Tango",
    "Samba",
    "Folklore",
    "Ballad",
    "Power Ballad",
    "Rhytmic Soul",
    "Freestyle",
    "Duet",
    "Punk Rock",
    "Drum Solo",
    "Acapella",
    "Euro-House",
    "Dance Hall",
    "Goa",
    "Drum & Bass",
    "Club-House",
    "Hardcore",
    "Terror",
    "Indie",
    "BritPop",
    "Negerpunk",
    "Polsk Punk",
    "Beat",
    "Christian Gangsta Rap",
    "Heavy Metal",
    "Black Metal",
    "Crossover",
    "Contemporary Christian",
    "Christian Rock",
    "Merengue",
    "Salsa",
    "Trash Metal",
    "Anime",
    "Jpop",
    "Synthpop",
};

constexpr int kUndefinedNumber = 255;
constexpr const char* kUndefinedName = "<Undefined>";
constexpr const char* kSource = "Quaver";

// A number as the shortest decimal text that reads back as the same value.
std::string numberText(double value)
{
    char buf[32];
    const auto result = std::to_chars(buf, buf + sizeof buf, value);
    return std::string(buf, result.ptr);
}

} // namespace

Genres::Genres()
{
    m_entries.reserve(kNames.size() + 1);
    for (std::size_t n = 0; n < kNames.size(); ++n)
        AddGenre(kNames[n], static_cast<std::int16_t>(n), std::to_string(n));
    AddGenre(kUndefinedName, kUndefinedNumber, std::to_string(kUndefinedNumber));
}

const char* Genres::NameOf(int number)
{
    if (number >= 0 && number < static_cast<int>(kNames.size()))
        return kNames[static_cast<std::size_t>(number)];
    return number == kUndefinedNumber ? kUndefinedName : nullptr;
}

Genres::GenrePtr Genres::Item(std::string_view key) const
{
    if (const auto it = m_byKey.find(key); it != m_byKey.end())
        return it->second;
    const auto value = Platform::NumericValue(key);
    if (!value)
        return nullptr;
    return Undefined(*value, std::string(key));
}

Genres::GenrePtr Genres::Item(int position) const
{
    if (position >= 1 && position <= Count())
        return m_entries[static_cast<std::size_t>(position - 1)];
    return Undefined(position, std::to_string(position));
}

Genres::GenrePtr Genres::Item(double position) const
{
    const double rounded = Platform::RoundHalfEven(position);
    if (rounded >= 1 && rounded <= Count())
        return m_entries[static_cast<std::size_t>(rounded) - 1];
    return Undefined(position, numberText(position));
}

Genres::GenrePtr Genres::Undefined(double value, const std::string& argument) const
{
    const auto number = Platform::ToInt16(value);
    if (!number)
        throw Platform::RuntimeError::overflow(kSource);
    if (*number < 0 || *number > 255)
        return nullptr;
    GenrePtr genre(new Genre());
    genre->m_num = *number;
    genre->SetDescription("<Not defined (" + argument + ")>");
    return genre;
}

Genres::GenrePtr Genres::AddGenre(const std::string& description, std::int16_t number, const std::string& key)
{
    GenrePtr genre(new Genre());
    genre->SetDescription(description);
    genre->m_num = number;
    m_entries.push_back(genre);
    if (!key.empty())
        m_byKey.emplace(key, genre);
    return genre;
}

void Genres::RemoveGenre(const std::string& key)
{
    const auto it = m_byKey.find(key);
    if (it == m_byKey.end())
        return;
    std::erase(m_entries, it->second);
    m_byKey.erase(it);
}

} // namespace Quaver
