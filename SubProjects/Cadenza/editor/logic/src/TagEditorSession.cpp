#include "TagEditorSession.h"

#include <QCoreApplication>

#include "EditorTexts.h"

#include "Platform/FileNameCodec.h"
#include "Platform/FileSystemObject.h"
#include "Platform/RuntimeError.h"
#include "Quaver/FileHandler.h"

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
    return view;
}

void TagEditorSession::PanelShown()
{
    m_Commands.Edit = false;
    m_Commands.OkCancelParse = false;
}

std::optional<FileTagView> TagEditorSession::PanelHidden()
{
    if (!Editing())
        return std::nullopt;
    return Cancel();
}

FileTagView TagEditorSession::Choose(const std::string& path)
{
    m_ShownFile = path;
    m_Commands.Edit = true;
    const auto slash = path.find_last_of('/');
    m_ShownName = Platform::DecodeFileName(slash == std::string::npos ? path : path.substr(slash + 1));
    return ReadFileTag(path);
}

void TagEditorSession::Edit(const TagFieldTexts& shown)
{
    m_EditStart = shown;
    m_Commands.Fields = true;
    m_Commands.OkCancelParse = true;
    m_Commands.List = false;
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
    if (handler.WriteTag()) {
        endEdit();
        out.Result = SaveResult::Saved;
        out.Shown = ReadFileTag(m_ShownFile);
        out.Status = EditorTexts::TagSaved();
    } else {
        handler.LastError()->Show();
        out.Result = SaveResult::Failed;
        out.Status = EditorTexts::TagNotSaved();
    }
    return out;
}

std::optional<FileTagView> TagEditorSession::Cancel()
{
    endEdit();
    if (m_ShownFile.empty())
        return std::nullopt;
    return ReadFileTag(m_ShownFile);
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
    const QString text =
        QCoreApplication::translate("TagEditorSession", "The tag of \"%1\" has been changed.\r\nSave the "
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
