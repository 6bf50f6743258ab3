#include "TrailerReader.h"

#include "Platform/Ansi.h"
#include "Platform/BinaryFile.h"
#include "Platform/RuntimeError.h"

#include <array>
#include <atomic>
#include <optional>

namespace Jukebox {

namespace {

constexpr const char* kSource = "Jukebox";
constexpr std::int64_t kTrailerLength = 128;

const std::array<const char*, 125> kGenres = {"Blues",
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
                                              "Euro-Techno",
                                              "Ambient",
                                              "Trip-Hop",
                                              "Vocal",
                                              "Jazz+Funk",
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
                                              "AlternRock",
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
                                              "Techno-Industrial",
                                              "Electronic",
                                              "Pop-Folk",
                                              "Eurodance",
                                              "Dream",
                                              "Southern Rock",
                                              "Comedy",
                                              "Cult",
                                              "Gangsta",
                                              "Top 40",
                                              "Christian Rap",
                                              "Pop/Funk",
                                              "Jungle",
                                              "Native American",
                                              "Cabaret",
                                              "New Wave",
                                              "Psychadelic",
                                              "Rave",
                                              "Showtunes",
                                              "Trailer",
                                              "Lo-Fi",
                                              "Tribal",
                                              "Acid Punk",
                                              "Acid Jazz",
                                              "Polka",
                                              "Retro",
                                              "Musical",
                                              "Rock & Roll",
                                              "Hard Rock",
                                              "Folk",
                                              "Folk/Rock",
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
                                              "Acoustic",
                                              "Humour",
                                              "Speech",
                                              "Chanson",
                                              "Opera",
                                              "Chamber Music",
                                              "Sonata",
                                              "Symphony",
                                              "Booty Bass",
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
                                              "Rhythmic Soul",
                                              "Freestyle",
                                              "Duet",
                                              "Punk Rock",
                                              "Drum Solo",
                                              "Acapella",
                                              "Euro-House"};

std::atomic<bool> g_fileOneOpen{false};

// Claims "file number 1" for one read and gives it back however the read ends.
class FileNumberOne
{
public:
    FileNumberOne()
    {
        if (g_fileOneOpen.exchange(true))
            throw Platform::RuntimeError(55, kSource, "File already open");
    }
    ~FileNumberOne() { g_fileOneOpen = false; }
    FileNumberOne(const FileNumberOne&) = delete;
    FileNumberOne& operator=(const FileNumberOne&) = delete;
};

// The last 128 bytes, or nothing when the file is shorter (the caller decides
// what that means). Missing or unreadable files raise.
std::optional<std::string> readTrailer(const std::string& path)
{
    FileNumberOne claim;
    Platform::BinaryFile file(path, Platform::BinaryFile::Access::Read, kSource);
    const std::int64_t length = file.Size();
    if (length < kTrailerLength)
        return std::nullopt;
    std::string bytes(kTrailerLength, '\0');
    bytes.resize(file.ReadAt(length - kTrailerLength, bytes.data(), bytes.size()));
    if (static_cast<std::int64_t>(bytes.size()) != kTrailerLength)
        return std::nullopt;
    return bytes;
}

std::string readOrBadRecord(const std::string& path)
{
    auto trailer = readTrailer(path);
    if (!trailer)
        throw Platform::RuntimeError(63, kSource, "Bad record number");
    return *trailer;
}

bool hasTag(const std::string& trailer)
{
    return trailer.compare(0, 3, "TAG") == 0;
}

// The field's characters, the whole width, without leading and trailing
// spaces; zero bytes stay.
std::string field(const std::string& trailer, std::size_t offset, std::size_t width)
{
    std::string text = trailer.substr(offset, width);
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    text = text.substr(first, text.find_last_not_of(' ') - first + 1);
    return Platform::AnsiToUtf8(text);
}

std::string textField(const std::string& trailer, std::size_t offset, std::size_t width, const char* fallback)
{
    return hasTag(trailer) ? field(trailer, offset, width) : fallback;
}

} // namespace

std::string TrailerReader::SongName(const std::string& path)
{
    try {
        if (auto trailer = readTrailer(path))
            return textField(*trailer, 3, 30, "Unbekannter Song");
    } catch (...) {
    }
    return "Unbekannter Song";
}

std::string TrailerReader::Band(const std::string& path)
{
    auto trailer = readTrailer(path);
    return trailer ? textField(*trailer, 33, 30, "Unbekannter Künstler") : "Unbekannter Künstler";
}

std::string TrailerReader::Album(const std::string& path)
{
    return textField(readOrBadRecord(path), 63, 30, "Unbekanntes Album");
}

std::string TrailerReader::Year(const std::string& path)
{
    return textField(readOrBadRecord(path), 93, 4, "Nicht angegeben");
}

std::string TrailerReader::Comment(const std::string& path)
{
    return textField(readOrBadRecord(path), 97, 30, "Es steht kein Kommentar zur Verfügung.");
}

std::string TrailerReader::Genre(const std::string& path)
{
    const std::string trailer = readOrBadRecord(path);
    const std::string name = hasTag(trailer) ? GenreName(static_cast<unsigned char>(trailer[127])) : "";
    return name.empty() ? "Kein Genre" : name;
}

std::string TrailerReader::GenreName(int number)
{
    return number >= 0 && number < static_cast<int>(kGenres.size())
               ? kGenres[static_cast<std::size_t>(number)]
               : "";
}

} // namespace Jukebox
