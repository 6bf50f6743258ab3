#include "TagEditorSession.h"

#include <QCoreApplication>

#include "EditorTexts.h"
#include "OtherTagFields.h"

#include "Platform/FileNameCodec.h"
#include "Platform/FileSystemObject.h"
#include "Platform/RuntimeError.h"
#include "Quaver/FileHandler.h"
#include "RecordedWrite.h"

#include <algorithm>
#include <filesystem>

namespace {

// The same file whichever way its name was written (relative, with "//" or "./").
bool sameFile(const std::string& a, const std::string& b)
{
    std::error_code ec;
    const auto normal = [&](const std::string& name) {
        return std::filesystem::absolute(name, ec).lexically_normal();
    };
    return normal(a) == normal(b);
}

} // namespace

FileTagView TagEditorSession::ReadFileTag(const std::string& path)
{
    FileTagView view;
    if (!Platform::FileSystemObject::GetExtensionName(path).empty())
        view.BaseName = Platform::DecodeFileName(Platform::FileSystemObject::GetBaseName(path));
    Quaver::FileHandler handler;
    handler.setFileName(path);
    view.Type = handler.ReadTag();
    if (view.Type == Quaver::ID3Unknown) {
        view.Status = EditorTexts::NoTag();
    } else {
        view.Tag = handler.ID3v1xTag();
        view.Status = view.Type == Quaver::ID3V1 ? EditorTexts::V10Found() : EditorTexts::V11Found();
    }
    view.Others = OtherTags::Read(path);
    return view;
}

void TagEditorSession::PanelShown()
{
    m_Commands.Edit = false;
    m_Commands.OkCancelParse = false;
    updateRemove();
}

std::optional<FileTagView> TagEditorSession::PanelHidden()
{
    if (!Editing())
        return std::nullopt;
    return Cancel();
}

FileTagView TagEditorSession::Choose(const std::string& path)
{
    m_Several.reset();
    m_Commands.Several = false;
    m_ShownFile = path;
    m_Commands.Edit = true;
    const auto slash = path.find_last_of('/');
    m_ShownName = Platform::DecodeFileName(slash == std::string::npos ? path : path.substr(slash + 1));
    return showStored();
}

const MultiTagEdit& TagEditorSession::ChooseSeveral(std::vector<std::string> paths)
{
    m_ShownFile.clear();
    m_ShownHasTag = false;
    m_ShownName.clear();
    m_Several.emplace(std::move(paths));
    m_Commands.Several = true;
    m_Commands.Edit = true;
    updateRemove();
    return *m_Several;
}

void TagEditorSession::Edit(const TagFieldTexts& shown)
{
    m_EditStart = shown;
    m_Commands.Fields = true;
    m_Commands.OkCancelParse = true;
    m_Commands.List = false;
    updateRemove();
}

Quaver::TagPtr TagEditorSession::CopyFromId3v2(const TagFieldTexts& shown, const std::string& caption) const
{
    const OtherTags::Found* id3v2 = OtherTags::FirstId3v2(m_ShownOthers);
    if (!Editing() || !id3v2)
        return nullptr;
    const TagFieldTexts copied = CopiedTexts(shown, id3v2->Values);
    const std::vector<SaveChange> changes = ChangesOnSave(copied);
    if (!changes.empty() && Platform::MsgBox(ConfirmCopyBox(changes, caption)) != Platform::MsgResult::Yes)
        return nullptr;
    auto record = std::make_shared<Quaver::Tag>();
    copied.collectInto(*record);
    return record;
}

TagEditorSession::SaveOutcome TagEditorSession::Ok(const std::function<Quaver::TagPtr()>& collect)
{
    SaveOutcome out;
    if (m_ShownFile.empty()) {
        m_Commands.Edit = false;
        return out;
    }
    Quaver::FileHandler handler;
    handler.setID3v1xTag(collect());
    handler.setFileName(m_ShownFile);
    if (Journal::RecordedWrite(handler, Journal::Change::Save, Journal::DefaultFolder(), m_AlsoId3v2) ==
        Journal::RecordedResult::Written) {
        endEdit();
        out.Result = SaveResult::Saved;
        out.Shown = showStored();
        out.Status = EditorTexts::TagSaved();
    } else {
        handler.LastError()->Show();
        out.Result = SaveResult::Failed;
        out.Status = EditorTexts::TagNotSaved();
    }
    return out;
}

std::optional<TagField> TagEditorSession::CheckSaveSeveral(const TagFieldTexts& typed,
                                                           const TagFieldSet& changed,
                                                           const std::string& caption) const
{
    if (!m_Several || changed.none())
        return std::nullopt;
    return m_Several->CheckSave(m_Several->Edited(typed, changed), caption);
}

MultiTagEdit::Outcome TagEditorSession::OkSeveral(const TagFieldTexts& typed, const TagFieldSet& changed)
{
    MultiTagEdit::Outcome out;
    if (!m_Several || changed.none()) {
        endEdit();
        out.Status = EditorTexts::NothingChanged();
        return out;
    }
    out = m_Several->Save(m_Several->Edited(typed, changed), m_AlsoId3v2, changed);
    // When no file took the change, what was typed stays for another try.
    if (out.Saved > 0) {
        endEdit();
        m_Several->Reread();
    }
    return out;
}

std::optional<MultiTagEdit::Outcome> TagEditorSession::NumberTracks(const std::string& caption)
{
    if (!m_Several || Editing())
        return std::nullopt;
    const auto texts = m_Several->Numbered();
    if (m_Several->CheckSave(texts, caption))
        return std::nullopt;
    TagFieldSet track;
    track.set(static_cast<std::size_t>(TagField::Track));
    auto out = m_Several->Save(texts, m_AlsoId3v2, track);
    m_Several->Reread();
    return out;
}

TagEditorSession::RemoveOutcome TagEditorSession::RemoveTag(const std::string& caption)
{
    RemoveOutcome out;
    if (m_ShownFile.empty() || Editing())
        return out;
    const QString question =
        QCoreApplication::translate(
            "TagEditorSession", "Remove the tag of \"%1\"?\r\nEvery other byte of the file stays as it is.")
            .arg(m_ShownName);
    if (Platform::MsgBox({question.toStdString(), caption, Platform::MsgIcon::Question,
                          Platform::MsgButtons::YesNo}) != Platform::MsgResult::Yes) {
        out.Result = RemoveResult::Declined;
        return out;
    }
    Quaver::FileHandler handler;
    handler.setFileName(m_ShownFile);
    switch (Journal::RecordedWrite(handler, Journal::Change::Remove)) {
    case Journal::RecordedResult::Written:
        out.Result = RemoveResult::Removed;
        out.Status = EditorTexts::TagRemoved();
        break;
    case Journal::RecordedResult::NoTrailer:
        out.Result = RemoveResult::NoTag;
        out.Status = EditorTexts::NoTagToRemove();
        break;
    case Journal::RecordedResult::Failed:
        handler.LastError()->Show();
        out.Result = RemoveResult::Failed;
        out.Status = EditorTexts::TagNotRemoved();
        return out;
    }
    out.Shown = showStored();
    return out;
}

std::optional<FileTagView> TagEditorSession::FilesRestored(const std::vector<std::string>& names)
{
    if (m_Several && !Editing())
        m_Several->Reread();
    if (m_ShownFile.empty() || Editing() ||
        std::none_of(names.begin(), names.end(),
                     [&](const std::string& name) { return sameFile(name, m_ShownFile); }))
        return std::nullopt;
    return showStored();
}

std::optional<FileTagView> TagEditorSession::Cancel()
{
    endEdit();
    if (m_Several)
        m_Several->Reread();
    if (m_ShownFile.empty())
        return std::nullopt;
    return showStored();
}

std::optional<TagField> TagEditorSession::CheckSave(const TagFieldTexts& typed,
                                                    const std::string& caption) const
{
    if (m_ShownFile.empty())
        return std::nullopt;
    const std::vector<SaveChange> changes = ChangesOnSave(typed);
    if (changes.empty() || Platform::MsgBox(ConfirmSaveBox(changes, caption)) == Platform::MsgResult::Yes)
        return std::nullopt;
    return changes.front().Field;
}

TagEditorSession::LeaveChoice TagEditorSession::QueryLeave(const TagFieldTexts& typed,
                                                           const std::string& caption) const
{
    if (!Editing() || typed == m_EditStart)
        return LeaveChoice::Leave;
    const QString text = m_Several
                             ? QCoreApplication::translate("TagEditorSession",
                                                           "The tags of %1 files have been changed.\r\nSave "
                                                           "the changes before leaving the editor?")
                                   .arg(m_Several->Files().size())
                             : QCoreApplication::translate("TagEditorSession",
                                                           "The tag of \"%1\" has been changed.\r\nSave the "
                                                           "changes before leaving the editor?")
                                   .arg(m_ShownName);
    switch (Platform::MsgBox(
        {text.toStdString(), caption, Platform::MsgIcon::Warning, Platform::MsgButtons::YesNoCancel})) {
    case Platform::MsgResult::Yes:
        return LeaveChoice::Save;
    case Platform::MsgResult::No:
        return LeaveChoice::Leave;
    default:
        return LeaveChoice::Stay;
    }
}

void TagEditorSession::endEdit()
{
    m_Commands.Fields = false;
    m_Commands.OkCancelParse = false;
    m_Commands.List = true;
    updateRemove();
}

FileTagView TagEditorSession::showStored()
{
    FileTagView view = ReadFileTag(m_ShownFile);
    m_ShownHasTag = view.Type != Quaver::ID3Unknown;
    m_ShownOthers = view.Others;
    updateRemove();
    return view;
}

void TagEditorSession::updateRemove()
{
    m_Commands.Remove = m_Commands.Edit && !m_Commands.OkCancelParse && m_ShownHasTag;
    m_Commands.NumberTracks = m_Several && !m_Commands.OkCancelParse;
    m_Commands.CopyId3v2 = m_Commands.OkCancelParse && !m_Several && OtherTags::FirstId3v2(m_ShownOthers);
}

std::optional<Platform::MessageBoxRequest>
TagEditorSession::Play(const std::string& path, const PlayerCall& play, const std::string& caption)
{
    m_PlayerStarted = true;
    if (path.empty())
        return std::nullopt;
    std::string text;
    try {
        play(path);
        return std::nullopt;
    } catch (const Platform::RuntimeError& e) {
        text = PlayerFailureText(e.Number(), e.Source(), e.Description());
    } catch (const std::exception& e) {
        text = PlayerFailureText(0, "Jukebox", e.what());
    }
    m_PlayerStarted = false;
    return Platform::MessageBoxRequest{text, caption, Platform::MsgIcon::Warning, Platform::MsgButtons::Ok};
}

std::string TagEditorSession::PlayerFailureText(std::int32_t number, const std::string& source,
                                                const std::string& description)
{
    return QCoreApplication::translate(
               "TagEditorSession",
               "Couldn't access Jukebox.\r\n"
               "Please ensure that Jukebox.dll is registered and Jukebox is installed.\r\n"
               "(Regsvr32 <Path>\\Jukebox.dll)\r\n")
               .toStdString() +
           std::to_string(number) + " - " + source + "- " + description;
}
