#pragma once

#include <QCoreApplication>
#include <QString>

// The status texts of the tag editor panel. The English texts, exactly as users
// and tests see them, are the source texts of the translations: each call gives
// the text in the language whose catalogue the program installed, else English.
namespace EditorTexts {

inline QString NoTag()
{
    return QCoreApplication::translate("EditorTexts", "There's no Tag available.");
}
inline QString V10Found()
{
    return QCoreApplication::translate("EditorTexts", "ID3 Tag V1.0 found.");
}
inline QString V11Found()
{
    return QCoreApplication::translate("EditorTexts", "ID3 Tag V1.1 found.");
}
inline QString TagSaved()
{
    return QCoreApplication::translate("EditorTexts", "Tag saved.");
}
inline QString TagNotSaved()
{
    return QCoreApplication::translate("EditorTexts", "Tag not saved.");
}
inline QString TagRemoved()
{
    return QCoreApplication::translate("EditorTexts", "Tag removed.");
}
inline QString TagNotRemoved()
{
    return QCoreApplication::translate("EditorTexts", "Tag not removed.");
}
inline QString NoTagToRemove()
{
    return QCoreApplication::translate("EditorTexts", "There's no Tag to remove; the file is left as it is.");
}
// After several files were saved at once: counts after a colon read right
// whatever the number, in every language.
inline QString TagsSaved(int saved, int failed)
{
    return QCoreApplication::translate("EditorTexts", "Tags saved: %1, not saved: %2").arg(saved).arg(failed);
}
inline QString NothingChanged()
{
    return QCoreApplication::translate("EditorTexts", "No field was changed; no file was written.");
}
// Several files are shown at once.
inline QString FilesChosen(int count)
{
    return QCoreApplication::translate("EditorTexts", "Files chosen: %1").arg(count);
}
inline QString NoData()
{
    return QCoreApplication::translate("EditorTexts", "No Data to process.");
}
inline QString WrongFormat()
{
    return QCoreApplication::translate("EditorTexts", "Wrong data fromat (Only Files are valid).");
}
inline QString PleaseWait()
{
    return QCoreApplication::translate("EditorTexts", "Please wait...");
}

} // namespace EditorTexts
