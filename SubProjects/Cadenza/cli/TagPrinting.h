#pragma once

#include "OtherTags/OtherTags.h"
#include "Quaver/EID3TagConstants.h"

#include <QJsonArray>
#include <QJsonObject>
#include <string>
#include <vector>

namespace Quaver {
class Tag;
class TagError;
} // namespace Quaver

// How the command line shows tags and failures, shared by every verb that
// prints tags. Texts are UTF-8. In text form file names are printed as their
// raw bytes and every text passes through visible(), so one file is one line
// and a terminal never takes a tag for a command. JSON must be valid Unicode:
// a name that is not UTF-8 shows with replacement characters under its key and
// as the base64 of its bytes under the key + "Base64" (see setName).
namespace TagPrinting {

// bytes with control characters written visibly: "\t", "\n", "\r", other C0
// codes and DEL as "\xHH", C1 codes (U+0080 to U+009F in UTF-8) as "\u00HH".
// Every other byte stays as it is, also one that is not UTF-8.
std::string visible(const std::string& bytes);
void appendVisible(std::string& out, const std::string& bytes);

// object[key] = the name as UTF-8 (bytes that are not UTF-8 become U+FFFD);
// when that loses bytes, also object[key + "Base64"] = the name's raw bytes in
// base64 (RFC 4648, with padding), from which a script gets the file back.
void setName(QJsonObject& object, const QString& key, const std::string& name);

// The genre's name as the tag field panel shows it ("Rock", "<Undefined>",
// "<Not defined (200)>").
std::string genreName(const Quaver::Tag& tag);

// {"file", "tagType", "title", "artist", "album", "year", "comment", "track",
//  "genre", "genreName"}, and "otherTags" when others is given.
QJsonObject tagJson(const std::string& file, const Quaver::Tag& tag, Quaver::EID3TagConstants type,
                    const std::vector<OtherTags::Found>* others = nullptr);

// One object per other tag, in file order: {"kind"} and the fields the tag
// holds under the trailer's keys, "track" as a number, "genre" as its text.
QJsonArray otherTagsJson(const std::vector<OtherTags::Found>& others);

// One indented line per other tag: its kind and the fields it holds.
void appendOtherTagsText(std::string& out, const std::vector<OtherTags::Found>& others);

// {"file", "tagType": 0, "error": {"number", "source", "description", "mode"}}
QJsonObject errorJson(const std::string& file, const Quaver::TagError& error);

// One compact JSON object and a line break.
std::string jsonLine(const QJsonObject& object);

// Appends jsonLine(tagJson(file, tag, type, &others)) to out, byte for byte;
// written straight from the fields when every text is ASCII and there is no
// other tag, the usual case.
void appendTagJsonLine(std::string& out, const std::string& file, const Quaver::Tag& tag,
                       Quaver::EID3TagConstants type, const std::vector<OtherTags::Found>& others);

// The file name, the version, then one indented line per field (visible).
std::string tagText(const std::string& file, const Quaver::Tag& tag, Quaver::EID3TagConstants type);
void appendTagText(std::string& out, const std::string& file, const Quaver::Tag& tag,
                   Quaver::EID3TagConstants type);

// "FILE: description", with " (error N)" when the number is not 0 (visible).
std::string errorText(const std::string& file, const Quaver::TagError& error);

// Writes the failure line of one file to stderr: "cadenza-cli: " + errorText.
void printFailure(const std::string& file, const Quaver::TagError& error);

} // namespace TagPrinting
