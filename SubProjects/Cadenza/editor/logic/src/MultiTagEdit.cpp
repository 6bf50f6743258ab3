#include "MultiTagEdit.h"

#include "EditorTexts.h"
#include "TagEditorSession.h"
#include "ZeroPad.h"

#include "Platform/FileNameCodec.h"
#include "Quaver/FileHandler.h"
#include "RecordedWrite.h"

#include <QCoreApplication>
#include <QStringList>
#include <map>

namespace {

constexpr TagField AllFields[] = {TagField::Title, TagField::Artist, TagField::Album,  TagField::Year,
                                  TagField::Genre, TagField::Track,  TagField::Comment};

// The text of a field that tells two files apart; the genre by its number.
template <class Texts> auto& fieldText(Texts& texts, TagField field)
{
    switch (field) {
    case TagField::Title:
        return texts.Title;
    case TagField::Artist:
        return texts.Artist;
    case TagField::Album:
        return texts.Album;
    case TagField::Year:
        return texts.Year;
    case TagField::Genre:
        return texts.GenreByte;
    case TagField::Track:
        return texts.Track;
    case TagField::Comment:
        break;
    }
    return texts.Comment;
}

void clearField(TagFieldTexts& texts, TagField field)
{
    if (field == TagField::Genre)
        texts.GenreText.clear();
    fieldText(texts, field).clear();
}

QString fileName(const std::string& path)
{
    const auto slash = path.find_last_of('/');
    return Platform::DecodeFileName(slash == std::string::npos ? path : path.substr(slash + 1));
}

// Beyond this many, the files a change concerns are counted, not named.
constexpr std::size_t kNamed = 3;

QString namesOf(const std::vector<std::size_t>& indexes, const std::vector<std::string>& files)
{
    QStringList names;
    for (std::size_t i = 0; i < indexes.size() && i < kNamed; ++i)
        names << fileName(files[indexes[i]]);
    QString text = names.join(QStringLiteral(", "));
    if (indexes.size() > kNamed)
        text += QCoreApplication::translate("MultiTagEdit", " and %1 more").arg(indexes.size() - kNamed);
    return text;
}

} // namespace

MultiTagEdit::MultiTagEdit(std::vector<std::string> files) : m_files(std::move(files))
{
    Reread();
}

void MultiTagEdit::Reread()
{
    m_own.clear();
    for (const std::string& file : m_files) {
        const FileTagView view = TagEditorSession::ReadFileTag(file);
        m_own.push_back(TagFieldTexts::fromTag(view.Tag ? *view.Tag : Quaver::Tag()));
    }
    m_common = m_own.empty() ? TagFieldTexts() : m_own.front();
    m_differing.reset();
    for (const TagField field : AllFields) {
        for (const TagFieldTexts& own : m_own) {
            if (fieldText(own, field) != fieldText(m_common, field)) {
                m_differing.set(static_cast<std::size_t>(field));
                break;
            }
        }
    }
    for (const TagField field : AllFields) {
        if (Contains(m_differing, field))
            clearField(m_common, field);
    }
}

std::vector<TagFieldTexts> MultiTagEdit::Edited(const TagFieldTexts& typed, const TagFieldSet& changed) const
{
    std::vector<TagFieldTexts> result = m_own;
    for (TagFieldTexts& texts : result) {
        for (const TagField field : AllFields) {
            if (!Contains(changed, field))
                continue;
            if (field == TagField::Genre) {
                texts.GenreText = typed.GenreText;
                // Only a genre chosen from the list puts a number in the field.
                if (!typed.GenreByte.isEmpty())
                    texts.GenreByte = typed.GenreByte;
            } else {
                fieldText(texts, field) = fieldText(typed, field);
            }
        }
    }
    return result;
}

std::vector<TagFieldTexts> MultiTagEdit::Numbered() const
{
    std::vector<TagFieldTexts> result = m_own;
    for (std::size_t i = 0; i < result.size(); ++i)
        result[i].Track = ZeroPad(QString::number(i + 1), 2);
    return result;
}

std::optional<TagField> MultiTagEdit::CheckSave(const std::vector<TagFieldTexts>& texts,
                                                const std::string& caption) const
{
    // Each change once, with the files it concerns, in field order.
    std::map<std::pair<TagField, QString>, std::vector<std::size_t>> changes;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        for (const SaveChange& change : ChangesOnSave(texts[i]))
            changes[{change.Field, change.Text}].push_back(i);
    }
    if (changes.empty())
        return std::nullopt;
    std::vector<SaveChange> listed;
    for (const auto& [change, files] : changes) {
        const QString& text = change.second;
        listed.push_back({change.first, files.size() == texts.size()
                                            ? text
                                            : namesOf(files, m_files) + QStringLiteral(" - ") + text});
    }
    if (Platform::MsgBox(ConfirmSaveBox(listed, caption)) == Platform::MsgResult::Yes)
        return std::nullopt;
    return listed.front().Field;
}

MultiTagEdit::Outcome MultiTagEdit::Save(const std::vector<TagFieldTexts>& texts, OtherTags::Id3v2Sync sync,
                                         const TagFieldSet& changed, const std::string& journalFolder) const
{
    std::vector<Quaver::FileHandler> handlers(m_files.size());
    for (std::size_t i = 0; i < m_files.size() && i < texts.size(); ++i) {
        auto tag = std::make_shared<Quaver::Tag>();
        texts[i].collectInto(*tag);
        handlers[i].setFileName(m_files[i]);
        handlers[i].setID3v1xTag(std::move(tag));
    }
    // Only the fields the user changed go into the ID3v2 tags: the others are
    // each file's own, which its ID3v2 tag may hold in full.
    static constexpr std::pair<TagField, const char*> Names[] = {
        {TagField::Title, "title"}, {TagField::Artist, "artist"},   {TagField::Album, "album"},
        {TagField::Year, "year"},   {TagField::Comment, "comment"}, {TagField::Track, "track"},
        {TagField::Genre, "genre"}};
    OtherTags::Id3v2Update update;
    for (const auto& [field, name] : Names) {
        if (Contains(changed, field))
            update.Fields.emplace_back(name);
    }
    const auto results = Journal::RecordedWrites(handlers, journalFolder, sync, update);
    Outcome out;
    for (std::size_t i = 0; i < handlers.size(); ++i) {
        const bool saved = results[i] == Journal::RecordedResult::Written;
        ++(saved ? out.Saved : out.Failed);
        out.Files.push_back({m_files[i], saved,
                             saved ? QCoreApplication::translate("MultiTagEdit", "saved")
                                   : QString::fromStdString(handlers[i].LastError()->Stream())});
    }
    out.Status = EditorTexts::TagsSaved(out.Saved, out.Failed);
    return out;
}
