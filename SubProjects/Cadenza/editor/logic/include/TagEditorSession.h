#pragma once

#include "MultiTagEdit.h"
#include "SaveCheck.h"
#include "TagFieldTexts.h"

#include "OtherTags/Id3v2Sync.h"
#include "OtherTags/OtherTags.h"
#include "Platform/MessageBox.h"
#include "Quaver/EID3TagConstants.h"
#include "Quaver/Tag.h"
#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// Which controls of the editor panel are switched on.
struct EditorCommands
{
    bool Fields = false;        // the tag field panel
    bool List = true;           // the file list
    bool Edit = false;          // cmdEdit
    bool OkCancelParse = false; // cmdOk, cmdCancel, cmdParse
    bool Remove = false;        // cmdRemove: a file with a tag is shown, no edit is going on
    bool NumberTracks = false;  // several files are shown, no edit is going on
    bool Several = false;       // several files are shown: no one file name to parse
    bool CopyId3v2 = false;     // Copy from ID3v2: during an edit, the shown file has an ID3v2 tag

    bool Parse() const { return OkCancelParse && !Several; }

    bool operator==(const EditorCommands&) const = default;
};

// What showing one file's tag puts on the panel.
struct FileTagView
{
    QString BaseName; // for txtFile: the name without folder and extension
    Quaver::EID3TagConstants Type = Quaver::ID3Unknown;
    Quaver::TagPtr Tag; // the record read; null when the file has no tag
    QString Status;
    std::vector<OtherTags::Found> Others; // the file's other tags, in file order
};

// The editor panel without its widgets: the edit cycle and its command states,
// and which file the fields belong to.
//
// Ok always writes to the file whose tag is shown, never simply to whatever
// entry is selected in the list: after a new drop the fields still show the old
// file while the list holds new entries. Hiding the panel during an edit
// cancels the edit, so the panel is never left with the list locked; the
// owner asks QueryLeave first, so that nothing typed is lost without a word.
class TagEditorSession
{
public:
    enum class LeaveChoice
    {
        Leave, // nothing typed is lost, or the user discards it
        Save,  // save first, leave when that succeeds
        Stay
    };
    enum class SaveResult
    {
        NoFile,
        Saved,
        Failed
    };
    struct SaveOutcome
    {
        SaveResult Result = SaveResult::NoFile;
        FileTagView Shown; // the file as now stored, after Saved
        QString Status;
    };
    enum class RemoveResult
    {
        NoFile,   // no file shown, or an edit is going on
        Declined, // the user said no
        Removed,
        NoTag, // the file had no tag and was left as it is
        Failed
    };
    struct RemoveOutcome
    {
        RemoveResult Result = RemoveResult::NoFile;
        FileTagView Shown; // the file as now stored, after Removed and NoTag
        QString Status;
    };

    const EditorCommands& Commands() const { return m_Commands; }
    // The bytes of the path whose tag the fields show; empty before any choice.
    const std::string& ShownFile() const { return m_ShownFile; }
    bool Editing() const { return m_Commands.OkCancelParse; }
    // Whether Ok also writes the fields into the file's ID3v2 tag.
    void SetAlsoId3v2(OtherTags::Id3v2Sync sync) { m_AlsoId3v2 = sync; }
    OtherTags::Id3v2Sync AlsoId3v2() const { return m_AlsoId3v2; }

    // Reads a file's tag for display; a file that cannot be read shows as having no tag.
    static FileTagView ReadFileTag(const std::string& path);

    // The panel became visible: all four buttons off, fields and list as they were.
    void PanelShown();
    // The panel was hidden. During an edit the edit is cancelled; the stored
    // tag to show again is returned then.
    std::optional<FileTagView> PanelHidden();

    // An entry of the list was chosen (click or keyboard).
    FileTagView Choose(const std::string& path);
    // Several entries were chosen together (paths in the list's order): the
    // fields show what their tags have in common, and Ok writes to them all.
    const MultiTagEdit& ChooseSeveral(std::vector<std::string> paths);
    // The files shown together; null while one file (or none) is shown.
    const MultiTagEdit* Several() const { return m_Several ? &*m_Several : nullptr; }
    // Starts an edit of the fields, which show shown.
    void Edit(const TagFieldTexts& shown = {});
    // Before Ok writes: nothing when the save may go ahead, because the fields
    // are stored as shown or the user accepts the changes listed in a box;
    // otherwise the field to go back to.
    std::optional<TagField> CheckSave(const TagFieldTexts& typed, const std::string& caption) const;
    // Copy from ID3v2 during an edit: the record the fields are to show, each
    // field the shown file's ID3v2 tag holds taken from it (CopiedTexts), the
    // others as shown. When the trailer cannot hold them as they are, a box
    // names what it would store instead and the user may keep the fields
    // (null then, as outside an edit or without an ID3v2 tag).
    Quaver::TagPtr CopyFromId3v2(const TagFieldTexts& shown, const std::string& caption) const;
    // Ok: collects the fields (through collect) and writes them into the shown
    // file, recorded in the undo journal first. On failure (the library's or
    // the journal's) the error box has been shown and the edit goes on.
    SaveOutcome Ok(const std::function<Quaver::TagPtr()>& collect);
    // CheckSave for several files: what the changed fields would store
    // differently in any of them, in one box.
    std::optional<TagField> CheckSaveSeveral(const TagFieldTexts& typed, const TagFieldSet& changed,
                                             const std::string& caption) const;
    // Ok for several files: the changed fields go into every file shown, all
    // recorded in the undo journal as one run first. Ends the edit unless no
    // file could be saved; without a changed field, ends it writing nothing.
    MultiTagEdit::Outcome OkSeveral(const TagFieldTexts& typed, const TagFieldSet& changed);
    // Number Tracks: the files shown together get the tracks 1 to n in their
    // order, nothing else changed; nothing when the user declines the box of
    // what would be stored differently, or no several files are shown.
    std::optional<MultiTagEdit::Outcome> NumberTracks(const std::string& caption);
    // Remove Tag: after the user confirms in a box, cuts the shown file's tag
    // off, recorded in the undo journal first. On failure the error box has
    // been shown.
    RemoveOutcome RemoveTag(const std::string& caption);
    // Files were put back by an undo: the shown file's stored tag when it is
    // one of them and no edit is going on (an edit keeps what was typed).
    // Several files shown together are read again instead; nothing is returned then.
    std::optional<FileTagView> FilesRestored(const std::vector<std::string>& names);
    // Cancel: ends the edit; returns the stored tag of the shown file (several
    // files shown together are read again; nothing is returned then).
    std::optional<FileTagView> Cancel();
    // Whether the panel may be left. Outside an edit, or when the fields still
    // show what they showed at Edit, yes; otherwise a box lets the user save,
    // discard (Leave) or stay.
    LeaveChoice QueryLeave(const TagFieldTexts& typed, const std::string& caption) const;

    // Plays a file through play (which raises Platform::RuntimeError when the
    // player cannot be reached). Returns the box to show on failure, captioned
    // with the application's title.
    using PlayerCall = std::function<void(const std::string& path)>;
    std::optional<Platform::MessageBoxRequest> Play(const std::string& path, const PlayerCall& play,
                                                    const std::string& caption);
    // Whether a play request reached the player, so closing should close it.
    bool PlayerStarted() const { return m_PlayerStarted; }

    // The four-line box text for a player that could not be reached.
    static std::string PlayerFailureText(std::int32_t number, const std::string& source,
                                         const std::string& description);

private:
    void endEdit();
    // Reads the shown file's tag and switches Remove and Copy from ID3v2 by it.
    FileTagView showStored();
    void updateRemove();

    EditorCommands m_Commands;
    std::string m_ShownFile;
    bool m_ShownHasTag = false;
    std::vector<OtherTags::Found> m_ShownOthers;
    QString m_ShownName;
    TagFieldTexts m_EditStart;
    bool m_PlayerStarted = false;
    OtherTags::Id3v2Sync m_AlsoId3v2 = OtherTags::Id3v2Sync::Off;
    std::optional<MultiTagEdit> m_Several;
};
