#pragma once

#include <QString>
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

} // namespace Platform
