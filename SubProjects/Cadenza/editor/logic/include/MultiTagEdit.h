#pragma once

#include "SaveCheck.h"
#include "TagFieldTexts.h"

#include "UndoJournal.h"

#include <QString>
#include <bitset>
#include <optional>
#include <string>
#include <vector>

// Some fields of the panel, by TagField.
using TagFieldSet = std::bitset<7>;

inline bool Contains(const TagFieldSet& fields, TagField field)
{
    return fields.test(static_cast<std::size_t>(field));
}

// Several files edited at once. The fields show what the files have in
// common; where they differ the field keeps each file's own value unless the
// user changes it. Each file is then saved as its own tag with only the
// changed fields replaced, by the same rules as a single file's save (field
// widths, the trailer's code page, the tag type by the track), all files in
// one run of the undo journal.
class MultiTagEdit
{
public:
    // One file's result, in the order of the files.
    struct FileResult
    {
        std::string File;
        bool Saved = false;
        QString Text; // "saved", or the tag library's (or the journal's) error
    };
    struct Outcome
    {
        std::vector<FileResult> Files;
        int Saved = 0;
        int Failed = 0;
        QString Status; // the counts, for the status bar
    };

    // Reads the tags of files (a file without a tag counts as empty fields).
    explicit MultiTagEdit(std::vector<std::string> files);

    const std::vector<std::string>& Files() const { return m_files; }
    // Per field the value all files share; empty where they differ.
    const TagFieldTexts& Common() const { return m_common; }
    // The fields whose value differs between the files.
    const TagFieldSet& Differing() const { return m_differing; }
    // Reads the files' tags again.
    void Reread();

    // Per file, what the fields of its tag become when the changed fields are
    // set to what was typed. A genre typed but not chosen keeps each file's
    // genre number, as it does for one file.
    std::vector<TagFieldTexts> Edited(const TagFieldTexts& typed, const TagFieldSet& changed) const;
    // Per file, its own fields with the track set to its place (1 to n).
    std::vector<TagFieldTexts> Numbered() const;

    // Before texts are saved: nothing when every file's tag is stored as its
    // texts say, or when the user accepts the changes listed in one box (a
    // change that only some files undergo names them); otherwise the field to
    // go back to.
    std::optional<TagField> CheckSave(const std::vector<TagFieldTexts>& texts,
                                      const std::string& caption) const;

    // Saves each file's texts (as many as files), recorded in the undo journal
    // as one run before any file is touched; one file's failure is listed and
    // the others go on. By sync, the fields in changed are also written into
    // each file's ID3v2 tag.
    Outcome Save(const std::vector<TagFieldTexts>& texts,
                 OtherTags::Id3v2Sync sync = OtherTags::Id3v2Sync::Off, const TagFieldSet& changed = {},
                 const std::string& journalFolder = Journal::DefaultFolder()) const;

private:
    std::vector<std::string> m_files;
    std::vector<TagFieldTexts> m_own;
    TagFieldTexts m_common;
    TagFieldSet m_differing;
};
