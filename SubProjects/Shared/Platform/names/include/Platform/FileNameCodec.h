#pragma once

#include <QString>
#include <QStringView>
#include <string>

namespace Platform {

// File names cross the Qt boundary through these two functions, never through
// QFile::decodeName/encodeName: those replace bytes that are not UTF-8 with
// U+FFFD, so such a file could be listed but never opened again.
//
// Valid UTF-8 is decoded as usual. Every other byte b (0x80 to 0xFF) becomes
// the lone surrogate U+DC00 + b, and encoding turns it back into that byte, so
// EncodeFileName(DecodeFileName(bytes)) == bytes for every byte string.

QString DecodeFileName(const std::string& bytes);
std::string EncodeFileName(const QString& name);

// A decoded file name (or a piece of one) as UTF-8 text for a tag field. Valid
// characters stay as they are; a byte that was not UTF-8 becomes the
// Windows-1252 character of that byte, the code page of trailer text, so the
// Latin-1 name "caf\xE9" reads "café". Any other unpaired surrogate becomes '?'.
std::string FileNameToText(QStringView name);

} // namespace Platform
