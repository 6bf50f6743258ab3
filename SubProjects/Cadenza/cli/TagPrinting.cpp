#include "TagPrinting.h"

#include "CliProgress.h"

#include "Quaver/Tag.h"
#include "Quaver/TagError.h"

#include <QByteArray>
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

std::string visible(const std::string& bytes)
{
    static const char digits[] = "0123456789abcdef";
    std::string out;
    out.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        if (c == '\t') {
            out += "\\t";
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\r') {
            out += "\\r";
        } else if (c < 0x20 || c == 0x7F) {
            out += "\\x";
            out += digits[c >> 4];
            out += digits[c & 0xF];
        } else if (c == 0xC2 && i + 1 < bytes.size() && static_cast<unsigned char>(bytes[i + 1]) >= 0x80 &&
                   static_cast<unsigned char>(bytes[i + 1]) <= 0x9F) {
            const auto code = static_cast<unsigned char>(bytes[++i]);
            out += "\\u00";
            out += digits[code >> 4];
            out += digits[code & 0xF];
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

void setName(QJsonObject& object, const QString& key, const std::string& name)
{
    const QString text = utf8(name);
    object[key] = text;
    if (text.toUtf8().toStdString() != name)
        object[key + QStringLiteral("Base64")] =
            QString::fromLatin1(QByteArray::fromStdString(name).toBase64());
}

std::string genreName(const Quaver::Tag& tag)
{
    // The fixed table answers without building the record's genre list (149
    // entries, per file); only numbers outside it need the list's wording.
    if (const char* name = Quaver::Genres::NameOf(tag.Genre()))
        return name;
    const auto genre = tag.GenreList()->Item(std::to_string(tag.Genre()));
    return genre ? genre->Description() : std::string();
}

QJsonObject tagJson(const std::string& file, const Quaver::Tag& tag, Quaver::EID3TagConstants type)
{
    QJsonObject object{
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
    setName(object, QStringLiteral("file"), file);
    return object;
}

QJsonObject errorJson(const std::string& file, const Quaver::TagError& error)
{
    QJsonObject object{
        {"tagType", static_cast<int>(Quaver::ID3Unknown)},
        {"error", QJsonObject{{"number", error.Number()},
                              {"source", utf8(error.Source())},
                              {"description", utf8(error.Description())},
                              {"mode", static_cast<int>(error.Mode())}}},
    };
    setName(object, QStringLiteral("file"), file);
    return object;
}

std::string jsonLine(const QJsonObject& object)
{
    return QJsonDocument(object).toJson(QJsonDocument::Compact).toStdString() + '\n';
}

std::string tagText(const std::string& file, const Quaver::Tag& tag, Quaver::EID3TagConstants type)
{
    std::ostringstream out;
    out << visible(file) << ": " << versionName(type) << '\n'
        << "  Title:   " << visible(tag.Title()) << '\n'
        << "  Artist:  " << visible(tag.Artist()) << '\n'
        << "  Album:   " << visible(tag.Album()) << '\n'
        << "  Year:    " << visible(tag.Year()) << '\n'
        << "  Comment: " << visible(tag.Comment()) << '\n'
        << "  Track:   " << tag.Track() << '\n'
        << "  Genre:   " << static_cast<int>(tag.Genre()) << ' ' << genreName(tag) << '\n';
    return out.str();
}

std::string errorText(const std::string& file, const Quaver::TagError& error)
{
    std::string line = visible(file) + ": " + visible(error.Description());
    if (error.Number() != 0)
        line += " (error " + std::to_string(error.Number()) + ")";
    return line;
}

void printFailure(const std::string& file, const Quaver::TagError& error)
{
    CliProgress::Interrupt();
    std::cerr << "cadenza-cli: " << errorText(file, error) << '\n';
}

} // namespace TagPrinting
