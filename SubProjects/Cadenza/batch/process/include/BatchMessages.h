#pragma once

#include "BatchOutcome.h"

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

// Why a run does not start; %1 is the start folder as the user gave it, %2
// the system's reason.
inline const QString NoFolder = QStringLiteral("No folder chosen.");
inline const QString FolderMissing = QStringLiteral("The folder \"%1\" does not exist.");
inline const QString NotAFolder = QStringLiteral("\"%1\" is not a folder.");
inline const QString FolderUnreadable = QStringLiteral("The folder \"%1\" cannot be read: %2");

// "1 file", "12 files".
inline QString FileCount(int files)
{
    return files == 1 ? QStringLiteral("1 file") : QStringLiteral("%1 files").arg(files);
}

// The status during a run: the counts first, so a long folder name cannot
// push them out of sight. searching is the scanner's "Searching <folder>".
inline QString Progress(const BatchCounts& counts, const QString& searching)
{
    return QStringLiteral("%1: %2 Ok, %3 Error - %4")
        .arg(FileCount(counts.Done))
        .arg(counts.Ok)
        .arg(counts.Error)
        .arg(searching);
}

// The status after a run the user stopped.
inline QString Stopped(const BatchCounts& counts)
{
    return QStringLiteral("Stopped: %1 processed (%2 Ok, %3 Error).")
        .arg(FileCount(counts.Done))
        .arg(counts.Ok)
        .arg(counts.Error);
}

// A result group's caption with the number of files under it: "Ok (12)".
inline QString GroupCaption(const QString& caption, int files)
{
    return QStringLiteral("%1 (%2)").arg(caption).arg(files);
}

} // namespace BatchMessages
