#include "OtherTagFields.h"

#include <QCoreApplication>
#include <algorithm>
#include <string>

namespace {

// The translation context of the texts below.
struct OtherTagFields
{
    Q_DECLARE_TR_FUNCTIONS(OtherTagFields)
};

TagField fieldNamed(const std::string& name)
{
    static const std::pair<const char*, TagField> names[] = {
        {"title", TagField::Title},    {"artist", TagField::Artist}, {"album", TagField::Album},
        {"year", TagField::Year},      {"genre", TagField::Genre},   {"track", TagField::Track},
        {"comment", TagField::Comment}};
    for (const auto& [text, field] : names) {
        if (name == text)
            return field;
    }
    return TagField::Comment;
}

QString text(const std::optional<std::string>& value)
{
    return value ? QString::fromStdString(*value) : QString();
}

std::size_t slot(TagField field)
{
    return static_cast<std::size_t>(field);
}

} // namespace

OtherTagsTable TabulateOtherTags(const std::vector<OtherTags::Found>& tags, const Quaver::Tag* trailer)
{
    OtherTagsTable table;
    const Quaver::Tag none;
    bool anyDiffers = false;
    for (const OtherTags::Found& tag : tags) {
        OtherTagsTable::Column column;
        column.Kind = QString::fromStdString(tag.Kind);
        const OtherTags::Fields& v = tag.Values;
        column.Cells[slot(TagField::Title)].Text = text(v.Title);
        column.Cells[slot(TagField::Artist)].Text = text(v.Artist);
        column.Cells[slot(TagField::Album)].Text = text(v.Album);
        column.Cells[slot(TagField::Year)].Text = text(v.Year);
        column.Cells[slot(TagField::Genre)].Text = text(v.Genre);
        column.Cells[slot(TagField::Comment)].Text = text(v.Comment);
        if (v.Track)
            column.Cells[slot(TagField::Track)].Text = QString::number(*v.Track);
        for (const std::string& name : OtherTags::Differing(v, trailer ? *trailer : none)) {
            column.Cells[slot(fieldNamed(name))].Differs = true;
            anyDiffers = true;
        }
        table.Columns.push_back(std::move(column));
    }

    if (tags.empty()) {
        table.Caption = OtherTagFields::tr("No other tags.");
        return table;
    }
    const OtherTags::Found* id3v2 = OtherTags::FirstId3v2(tags);
    table.Caption =
        id3v2 ? OtherTagFields::tr("%1 tag: players show it first.").arg(QString::fromStdString(id3v2->Kind))
              : OtherTagFields::tr("Other tags:");
    if (anyDiffers)
        table.Caption += QLatin1Char(' ') + OtherTagFields::tr("Marked values differ from the ID3v1 tag.");
    return table;
}

TagFieldTexts CopiedTexts(const TagFieldTexts& shown, const OtherTags::Fields& fields)
{
    TagFieldTexts out = shown;
    for (auto [value, target] : {std::pair{&fields.Title, &out.Title},
                                 {&fields.Artist, &out.Artist},
                                 {&fields.Album, &out.Album},
                                 {&fields.Year, &out.Year},
                                 {&fields.Comment, &out.Comment}}) {
        if (*value)
            *target = QString::fromStdString(**value);
    }
    // The record the tag makes has the track and the genre where the trailer
    // can hold them.
    const TagFieldTexts made = TagFieldTexts::fromTag(*OtherTags::ToTrailer(fields));
    if (fields.Track)
        out.Track = *fields.Track <= 255 ? made.Track : QString::number(*fields.Track);
    if (fields.Genre) {
        const bool listed = made.GenreByte != QLatin1String("255");
        out.GenreText = listed ? made.GenreText : QString::fromStdString(*fields.Genre);
        if (listed)
            out.GenreByte = made.GenreByte;
    }
    return out;
}
