#pragma once

#include "Quaver/EID3TagConstants.h"

#include <QJsonObject>
#include <string>

namespace Quaver {
class Tag;
class TagError;
} // namespace Quaver

// How the command line shows tags and failures, shared by every verb that
// prints tags. Texts are UTF-8; file names are printed as their raw bytes in
// text form, and as UTF-8 with replacement characters in JSON (which must be
// valid Unicode).
namespace TagPrinting {

// The genre's name as the tag field panel shows it ("Rock", "<Undefined>",
// "<Not defined (200)>").
std::string genreName(const Quaver::Tag& tag);

// {"file", "tagType", "title", "artist", "album", "year", "comment", "track",
//  "genre", "genreName"}
QJsonObject tagJson(const std::string& file, const Quaver::Tag& tag, Quaver::EID3TagConstants type);

// {"file", "tagType": 0, "error": {"number", "source", "description", "mode"}}
QJsonObject errorJson(const std::string& file, const Quaver::TagError& error);

// One compact JSON object and a line break.
std::string jsonLine(const QJsonObject& object);

// The file name, the version, then one indented line per field.
std::string tagText(const std::string& file, const Quaver::Tag& tag, Quaver::EID3TagConstants type);

// "FILE: description", with " (error N)" when the number is not 0.
std::string errorText(const std::string& file, const Quaver::TagError& error);

// Writes the failure line of one file to stderr: "cadenza-cli: " + errorText.
void printFailure(const std::string& file, const Quaver::TagError& error);

} // namespace TagPrinting
