#include "SaveCheck.h"

#include "Quaver/Genres.h"
#include "Quaver/Tag.h"
#include "Quaver/TrailerCodec.h"

#include <QCoreApplication>
#include <QStringList>
#include <algorithm>

namespace {

// The translation context of the texts below.
struct SaveCheck
{
    Q_DECLARE_TR_FUNCTIONS(SaveCheck)
};

using Quaver::TrailerCodec::TextField;

TagField panelField(TextField field)
{
    switch (field) {
    case TextField::Title:
        return TagField::Title;
    case TextField::Artist:
        return TagField::Artist;
    case TextField::Album:
        return TagField::Album;
    case TextField::Year:
        return TagField::Year;
    case TextField::Comment:
        break;
    }
    return TagField::Comment;
}

} // namespace

QString FieldCaption(TagField field)
{
    static const char* const captions[] = {
        QT_TRANSLATE_NOOP("SaveCheck", "Title"),  QT_TRANSLATE_NOOP("SaveCheck", "Artist"),
        QT_TRANSLATE_NOOP("SaveCheck", "Album"),  QT_TRANSLATE_NOOP("SaveCheck", "Year"),
        QT_TRANSLATE_NOOP("SaveCheck", "Genre"),  QT_TRANSLATE_NOOP("SaveCheck", "Track"),
        QT_TRANSLATE_NOOP("SaveCheck", "Comment")};
    return SaveCheck::tr(captions[static_cast<int>(field)]);
}

namespace {

QString spaced(const QString& characters)
{
    QStringList list;
    for (const uint ch : characters.toUcs4())
        list << QString::fromUcs4(reinterpret_cast<const char32_t*>(&ch), 1);
    return list.join(QLatin1Char(' '));
}

void addTextChanges(const Quaver::Tag& tag, std::vector<SaveChange>& out)
{
    for (const auto& change : Quaver::TrailerCodec::WriteChanges(tag)) {
        const TagField field = panelField(change.Field);
        const auto& fit = change.Fit;
        if (!fit.Unstorable.empty())
            out.push_back(
                {field, SaveCheck::tr("%1: %2 cannot be stored in the tag; it is saved as \"%3\".")
                            .arg(FieldCaption(field), spaced(QString::fromStdString(fit.Unstorable)),
                                 QString::fromStdString(fit.Stored))});
        if (!fit.Cut.empty()) {
            const int width = Quaver::TrailerCodec::FieldWidth(change.Field, tag.TagType());
            const bool besideTrack = change.Field == TextField::Comment &&
                                     width < Quaver::TrailerCodec::FieldWidth(change.Field, Quaver::ID3V1);
            out.push_back({field, SaveCheck::tr("%1: only %2 characters fit%3; \"%4\" at the end is cut off.")
                                      .arg(FieldCaption(field))
                                      .arg(width)
                                      .arg(besideTrack ? SaveCheck::tr(" beside a track number") : QString(),
                                           QString::fromStdString(fit.Cut))});
        }
    }
}

bool isListedGenre(const Quaver::Tag& tag, const QString& name)
{
    for (const auto& genre : *tag.GenreList()) {
        if (QString::fromStdString(genre->Description()) == name)
            return true;
    }
    return false;
}

} // namespace

std::vector<SaveChange> ChangesOnSave(const TagFieldTexts& typed)
{
    Quaver::Tag tag;
    typed.collectInto(tag);
    std::vector<SaveChange> changes;
    addTextChanges(tag, changes);

    const QString savedGenre = TagFieldTexts::fromTag(tag).GenreText;
    if (typed.GenreText != savedGenre) {
        const QString text =
            isListedGenre(tag, typed.GenreText)
                ? SaveCheck::tr("Genre: \"%1\" was typed, not chosen from the list; the tag keeps \"%2\".")
                : SaveCheck::tr("Genre: \"%1\" is not in the genre list; the tag keeps \"%2\".");
        changes.push_back({TagField::Genre, text.arg(typed.GenreText, savedGenre)});
    }

    // A track text that yields no track (zeros mean "no track" and say so).
    const bool zeros = typed.Track.count(QLatin1Char('0')) == typed.Track.size();
    if (tag.TagType() == Quaver::ID3V1 && !zeros)
        changes.push_back(
            {TagField::Track,
             SaveCheck::tr(
                 "Track: \"%1\" is not a track number from 1 to 255; the tag is saved without a track.")
                 .arg(typed.Track)});

    std::stable_sort(changes.begin(), changes.end(),
                     [](const SaveChange& a, const SaveChange& b) { return a.Field < b.Field; });
    return changes;
}

namespace {

// A Yes/No warning: the changes, one a line, put into text at %1.
Platform::MessageBoxRequest changesBox(const QString& text, const std::vector<SaveChange>& changes,
                                       const std::string& caption)
{
    QStringList lines;
    for (const SaveChange& change : changes)
        lines << change.Text;
    return {text.arg(lines.join(QStringLiteral("\r\n"))).toStdString(), caption, Platform::MsgIcon::Warning,
            Platform::MsgButtons::YesNo};
}

} // namespace

Platform::MessageBoxRequest ConfirmSaveBox(const std::vector<SaveChange>& changes, const std::string& caption)
{
    return changesBox(SaveCheck::tr("The tag cannot be saved exactly as shown:\r\n\r\n%1\r\n\r\n"
                                    "Save it anyway? Choose No to go back and change the fields."),
                      changes, caption);
}

Platform::MessageBoxRequest ConfirmCopyBox(const std::vector<SaveChange>& changes, const std::string& caption)
{
    return changesBox(SaveCheck::tr("The ID3v2 tag's fields cannot be stored in the tag exactly:\r\n\r\n"
                                    "%1\r\n\r\nCopy them anyway? Choose No to keep the fields as they are."),
                      changes, caption);
}
