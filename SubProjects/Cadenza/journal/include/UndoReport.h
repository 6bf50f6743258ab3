#pragma once

#include "UndoJournal.h"

#include "Platform/MessageBox.h"

#include <string>
#include <vector>

// Undo as the windows offer it: the newest run of some kinds taken back, and
// the box that tells the user how it went.
namespace Journal {

// The runs "Undo Last Save" takes back (the editor's saves and removals) and
// those "Undo Last Run" takes back (batch runs).
const std::vector<std::string>& SaveKinds();
const std::vector<std::string>& BatchKinds();

struct UndoReport
{
    Platform::MessageBoxRequest Box;   // what to tell the user, captioned with the caller's caption
    std::vector<std::string> Restored; // the files put back, as the journal names them
};

// Undoes the newest run of one of the kinds that is not undone yet. The box
// counts the files restored and lists each file left untouched with its
// reason; it says so when there was nothing to undo or the run could not be
// undone at all.
UndoReport UndoLast(const std::vector<std::string>& kinds, const std::string& caption,
                    const UndoJournal& journal = UndoJournal());

} // namespace Journal
