#pragma once

#include <QStringList>

// The folders the user last opened files or folders from, newest first, so
// that the file choosers start there and the File menu offers them again.
namespace RecentFolders {

constexpr int kKeep = 8;

// list with folder put first: once, and at most kKeep entries in all.
QStringList Remember(QStringList list, const QString& folder);

} // namespace RecentFolders
