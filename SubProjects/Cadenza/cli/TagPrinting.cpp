#include "TagPrinting.h"

#include "Quaver/Tag.h"
#include "Quaver/TagError.h"

#include <QJsonDocument>
#include <iostream>
#include <sstream>

namespace TagPrinting {

namespace {

QString utf8(const std::string& text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

const char* versionName(Quaver::EID3TagConstants type)
{
    switch (type) {
    case Quaver::ID3V1:
        return "ID3v1.0";
    case Quaver::ID3V11:
        return "ID3v1.1";
    default:
        return "no tag";
    }
}

} // namespace

std::string genreName(const Quaver::Tag& tag)
{
    const auto genre = tag.GenreList()->Item(std::to_string(tag.Genre()));
    return genre ? genre->Description() : std::string();
}

QJsonObject tagJson(const std::string& file, const Quaver::Tag& tag, Quaver::EID3TagConstants type)
{
    return QJsonObject{
        {"file", utf8(file)},
        {"tagType", static_cast<int>(type)},
        {"title", utf8(tag.Title())},
        {"artist", utf8(tag.Artist())},
        {"album", utf8(tag.Album())},
        {"year", utf8(tag.Year())},
        {"comment", utf8(tag.Comment())},
        {"track", tag.Track()},
        {"genre", tag.Genre()},
        {"genreName", utf8(genreName(tag))},
    };
}

QJsonObject errorJson(const std::string& file, const Quaver::TagError& error)
{
    return QJsonObject{
        {"file", utf8(file)},
        {"tagType", static_cast<int>(Quaver::ID3Unknown)},
        {"error", QJsonObject{{"number", error.Number()},
                              {"source", utf8(error.Source())},
                              {"description", utf8(error.Description())},
                              {"mode", static_cast<int>(error.Mode())}}},
    };
}

std::string jsonLine(const QJsonObject& object)
{
    return QJsonDocument(object).toJson(QJsonDocument::Compact).toStdString() + '\n';
}

std::string tagText(const std::string& file, const Quaver::Tag& tag, Quaver::EID3TagConstants type)
{
    std::ostringstream out;
    out << file << ": " << versionName(type) << '\n'
        << "  Title:   " << tag.Title() << '\n'
        << "  Artist:  " << tag.Artist() << '\n'
        << "  Album:   " << tag.Album() << '\n'
        << "  Year:    " << tag.Year() << '\n'
        << "  Comment: " << tag.Comment() << '\n'
        << "  Track:   " << tag.Track() << '\n'
        << "  Genre:   " << static_cast<int>(tag.Genre()) << ' ' << genreName(tag) << '\n';
    return out.str();
}

std::string errorText(const std::string& file, const Quaver::TagError& error)
{
    std::string line = file + ": " + error.Description();
    if (error.Number() != 0)
        line += " (error " + std::to_string(error.Number()) + ")";
    return line;
}

void printFailure(const std::string& file, const Quaver::TagError& error)
{
    std::cerr << "cadenza-cli: " << errorText(file, error) << '\n';
}

} // namespace TagPrinting
