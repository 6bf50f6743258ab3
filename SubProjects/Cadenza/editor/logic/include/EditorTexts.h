#pragma once

#include <QString>

// The status texts of the tag editor panel, exactly as users and tests see them.
namespace EditorTexts {

inline const QString NoTag = QStringLiteral("There's no Tag available.");
inline const QString V10Found = QStringLiteral("ID3 Tag V1.0 found.");
inline const QString V11Found = QStringLiteral("ID3 Tag V1.1 found.");
inline const QString TagSaved = QStringLiteral("Tag saved.");
inline const QString TagNotSaved = QStringLiteral("Tag not saved.");
inline const QString NoData = QStringLiteral("No Data to process.");
inline const QString WrongFormat = QStringLiteral("Wrong data fromat (Only Files are valid).");
inline const QString PleaseWait = QStringLiteral("Please wait...");

} // namespace EditorTexts
