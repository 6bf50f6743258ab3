#include "TagPrinting.h"

#include "CliProgress.h"

#include "Quaver/Tag.h"
#include "Quaver/TagError.h"

#include <QByteArray>
#include <QJsonDocument>
#include <algorithm>
#include <iostream>
#include <iterator>

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

bool isAscii(const std::string& text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// A JSON string of ASCII text, escaped as QJsonDocument escapes it.
void appendJsonString(std::string& out, const std::string& text)
{
    static const char digits[] = "0123456789abcdef";
    out += '"';
    for (const char c : text) {
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\b':
            out += "\\b";
            break;
        case '\f':
            out += "\\f";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                out += "\\u00";
                out += digits[(c >> 4) & 0xF];
                out += digits[c & 0xF];
            } else {
                out += c;
            }
        }
    }
    out += '"';
}

} // namespace

std::string visible(const std::string& bytes)
{
    std::string out;
    appendVisible(out, bytes);
    return out;
}

void appendVisible(std::string& out, const std::string& bytes)
{
    static const char digits[] = "0123456789abcdef";
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

QJsonObject tagJson(const std::string& file, const Quaver::Tag& tag, Quaver::EID3TagConstants type,
                    const std::vector<OtherTags::Found>* others)
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
    if (others)
        object[QStringLiteral("otherTags")] = otherTagsJson(*others);
    return object;
}

QJsonArray otherTagsJson(const std::vector<OtherTags::Found>& others)
{
    QJsonArray list;
    for (const OtherTags::Found& found : others) {
        QJsonObject object{{"kind", utf8(found.Kind)}};
        const OtherTags::Fields& f = found.Values;
        const std::pair<const char*, const std::optional<std::string>*> texts[] = {
            {"title", &f.Title}, {"artist", &f.Artist},   {"album", &f.Album},
            {"year", &f.Year},   {"comment", &f.Comment}, {"genre", &f.Genre}};
        for (const auto& [key, text] : texts)
            if (*text)
                object[QLatin1String(key)] = utf8(**text);
        if (f.Track)
            object[QStringLiteral("track")] = static_cast<qint64>(*f.Track);
        list.append(object);
    }
    return list;
}

void appendOtherTagsText(std::string& out, const std::vector<OtherTags::Found>& others)
{
    for (const OtherTags::Found& found : others) {
        out += "  ";
        out += found.Kind;
        out += " tag:";
        const OtherTags::Fields& f = found.Values;
        const std::pair<const char*, const std::optional<std::string>*> texts[] = {{"title", &f.Title},
                                                                                   {"artist", &f.Artist},
                                                                                   {"album", &f.Album},
                                                                                   {"year", &f.Year},
                                                                                   {"comment", &f.Comment}};
        const char* separator = " ";
        const auto label = [&](const char* key) {
            out += separator;
            out += key;
            out += ' ';
            separator = ", ";
        };
        for (const auto& [key, text] : texts) {
            if (!*text)
                continue;
            label(key);
            out += '"';
            appendVisible(out, **text);
            out += '"';
        }
        if (f.Track) {
            label("track");
            out += std::to_string(*f.Track);
        }
        if (f.Genre) {
            label("genre");
            out += '"';
            appendVisible(out, *f.Genre);
            out += '"';
        }
        if (*separator == ' ')
            out += " no fields";
        out += '\n';
    }
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

void appendTagJsonLine(std::string& out, const std::string& file, const Quaver::Tag& tag,
                       Quaver::EID3TagConstants type, const std::vector<OtherTags::Found>& others)
{
    const std::string genre = genreName(tag);
    const std::string* texts[] = {&file,       &tag.Title(),   &tag.Artist(), &tag.Album(),
                                  &tag.Year(), &tag.Comment(), &genre};
    if (!others.empty() || !std::all_of(std::begin(texts), std::end(texts),
                                        [](const std::string* text) { return isAscii(*text); })) {
        out += jsonLine(tagJson(file, tag, type, &others));
        return;
    }
    // The keys in the order QJsonObject keeps them (sorted).
    out += "{\"album\":";
    appendJsonString(out, tag.Album());
    out += ",\"artist\":";
    appendJsonString(out, tag.Artist());
    out += ",\"comment\":";
    appendJsonString(out, tag.Comment());
    out += ",\"file\":";
    appendJsonString(out, file);
    out += ",\"genre\":";
    out += std::to_string(tag.Genre());
    out += ",\"genreName\":";
    appendJsonString(out, genre);
    out += ",\"otherTags\":[],\"tagType\":";
    out += std::to_string(static_cast<int>(type));
    out += ",\"title\":";
    appendJsonString(out, tag.Title());
    out += ",\"track\":";
    out += std::to_string(tag.Track());
    out += ",\"year\":";
    appendJsonString(out, tag.Year());
    out += "}\n";
}

std::string tagText(const std::string& file, const Quaver::Tag& tag, Quaver::EID3TagConstants type)
{
    std::string out;
    appendTagText(out, file, tag, type);
    return out;
}

void appendTagText(std::string& out, const std::string& file, const Quaver::Tag& tag,
                   Quaver::EID3TagConstants type)
{
    const auto field = [&out](const char* label, const std::string& text) {
        out += label;
        appendVisible(out, text);
        out += '\n';
    };
    appendVisible(out, file);
    out += ": ";
    out += versionName(type);
    out += '\n';
    field("  Title:   ", tag.Title());
    field("  Artist:  ", tag.Artist());
    field("  Album:   ", tag.Album());
    field("  Year:    ", tag.Year());
    field("  Comment: ", tag.Comment());
    out += "  Track:   ";
    out += std::to_string(tag.Track());
    out += "\n  Genre:   ";
    out += std::to_string(tag.Genre());
    out += ' ';
    out += genreName(tag);
    out += '\n';
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
