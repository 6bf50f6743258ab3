#pragma once

#include <QString>

// The texts a batch run reports, word for word as users and scripts see them.
namespace BatchMessages {

inline const QString ParseError = QStringLiteral("Parsing error: Filename doesn't match with the format.");
inline const QString TestMode = QStringLiteral("Testmode: Don't write Tag.");
inline const QString TagExists = QStringLiteral("A Tag exists: Tag not overwritten.");
inline const QString OverwriteTag = QStringLiteral("Overwrite Tag.");
inline const QString NewTag = QStringLiteral("New Tag.");
// Put between the write message and the library's error line.
inline const QString ErrorSeparator = QStringLiteral(" - ");
inline const QString PleaseWait = QStringLiteral("Please wait...");

} // namespace BatchMessages
