#pragma once

#include "BatchOutcome.h"

#include <QCoreApplication>
#include <QString>

// The texts a batch run reports, word for word as users and scripts see them.
// The English texts are the source texts of the translations: the window
// installs a catalogue for the user's language and shows them translated; the
// command line installs none, so scripts always read English.
namespace BatchMessages {

inline QString ParseError()
{
    return QCoreApplication::translate("BatchMessages",
                                       "Parsing error: Filename doesn't match with the format.");
}
inline QString NoId3v2Tag()
{
    return QCoreApplication::translate("BatchMessages", "No ID3v2 tag.");
}
inline QString TestMode()
{
    return QCoreApplication::translate("BatchMessages", "Testmode: Don't write Tag.");
}
inline QString TagExists()
{
    return QCoreApplication::translate("BatchMessages", "A Tag exists: Tag not overwritten.");
}
inline QString OverwriteTag()
{
    return QCoreApplication::translate("BatchMessages", "Overwrite Tag.");
}
inline QString NewTag()
{
    return QCoreApplication::translate("BatchMessages", "New Tag.");
}
// A note beside the outcome of a file whose ID3v2 tag (kind, "ID3v2.3")
// holds other values than the new trailer; fields names them ("title, year").
inline QString Id3v2Differs(const QString& kind, const QString& fields)
{
    return QCoreApplication::translate("BatchMessages", "The %1 tag holds another %2; players show it first.")
        .arg(kind, fields);
}
// Put between the write message and the library's error line.
inline const QString ErrorSeparator = QStringLiteral(" - ");
inline QString PleaseWait()
{
    return QCoreApplication::translate("BatchMessages", "Please wait...");
}

// Why a run does not start; %1 is the start folder as the user gave it, %2
// the system's reason.
inline QString NoFolder()
{
    return QCoreApplication::translate("BatchMessages", "No folder chosen.");
}
inline QString FolderMissing()
{
    return QCoreApplication::translate("BatchMessages", "The folder \"%1\" does not exist.");
}
inline QString NotAFolder()
{
    return QCoreApplication::translate("BatchMessages", "\"%1\" is not a folder.");
}
inline QString FolderUnreadable()
{
    return QCoreApplication::translate("BatchMessages", "The folder \"%1\" cannot be read: %2");
}

// "1 file", "12 files".
inline QString FileCount(int files)
{
    return files == 1 ? QCoreApplication::translate("BatchMessages", "1 file")
                      : QCoreApplication::translate("BatchMessages", "%1 files").arg(files);
}

// The status during a run: the counts first, so a long folder name cannot
// push them out of sight. searching is the scanner's "Searching <folder>".
inline QString Progress(const BatchCounts& counts, const QString& searching)
{
    return QCoreApplication::translate("BatchMessages", "%1: %2 Ok, %3 Error - %4")
        .arg(FileCount(counts.Done))
        .arg(counts.Ok)
        .arg(counts.Error)
        .arg(searching);
}

// The status after a run the user stopped.
inline QString Stopped(const BatchCounts& counts)
{
    return QCoreApplication::translate("BatchMessages", "Stopped: %1 processed (%2 Ok, %3 Error).")
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
