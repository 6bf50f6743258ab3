#include "modTagFormat.h"

#include <gtest/gtest.h>

using namespace modTagFormat;

namespace {

std::shared_ptr<TagFormats> pattern(int index)
{
    return DefaultFormats()->ItemAt(index + 1);
}

QString field(int index, qint32 attribute, const QString& name)
{
    bool missing = false;
    return pattern(index)->TagAttributeString(attribute, name, missing);
}

} // namespace

TEST(TagAttributeString, FieldsOfAFittingName)
{
    const QString name = "Artist - Album - 07.Title";
    EXPECT_EQ(field(0, TagAttributeArtist, name), "Artist");
    EXPECT_EQ(field(0, TagAttributeAlbum, name), "Album");
    EXPECT_EQ(field(0, TagAttributeTrack, name), "07");
    EXPECT_EQ(field(0, TagAttributeTitle, name), "Title");
    EXPECT_EQ(field(2, TagAttributeTrack, "Artist - 5.Title"), "5");
    // Nothing is trimmed.
    EXPECT_EQ(field(1, TagAttributeTitle, "A  -  B "), " B ");
    EXPECT_EQ(field(1, TagAttributeArtist, "A  -  B "), "A ");
}

TEST(TagAttributeString, IsMissingTellsWhetherThePatternHasThePlaceholder)
{
    const auto p = pattern(1);
    bool missing = false;
    EXPECT_EQ(p->TagAttributeString(TagAttributeYear, "Artist - Title", missing), "");
    EXPECT_TRUE(missing);
    EXPECT_EQ(p->TagAttributeString(TagAttributeArtist, "Artist - Title", missing), "Artist");
    EXPECT_FALSE(missing);
    TagFormats empty;
    missing = false;
    EXPECT_EQ(empty.TagAttributeString(TagAttributeArtist, "x", missing), "");
    EXPECT_TRUE(missing);
}

TEST(TagAttributeString, FailedSeparatorSearchLeavesIsMissingAlone)
{
    const auto p = pattern(0);
    for (bool before : {false, true}) {
        bool missing = before;
        EXPECT_EQ(p->TagAttributeString(TagAttributeTrack, "A - B", missing), "");
        EXPECT_EQ(missing, before);
    }
}

TEST(TagAttributeString, SeparatorInsideAnEarlierFieldShiftsLaterFields)
{
    const QString name = "Mr. X - Album - 01.Song";
    EXPECT_EQ(field(0, TagAttributeArtist, name), "Mr. X");
    EXPECT_EQ(field(0, TagAttributeAlbum, name), "Album");
    EXPECT_EQ(field(0, TagAttributeTrack, name), "01");
    EXPECT_EQ(field(0, TagAttributeTitle, name), " X - Album - 01.Song");
}

TEST(TagAttributeString, MissingSuccessorGivesAnEmptyField)
{
    // The album's separator " - " (2nd) is absent, so the album is empty
    // rather than the rest of the name.
    EXPECT_EQ(field(0, TagAttributeAlbum, "A - B"), "");
    EXPECT_EQ(field(0, TagAttributeArtist, "No separator"), "");
    EXPECT_EQ(field(1, TagAttributeTitle, "No separator"), "");
}

TEST(TagAttributeString, SearchIsCaseSensitiveAndExact)
{
    auto p = std::make_shared<TagFormats>();
    p->Add(NewArtistFormat());
    p->Add(NewSeparatorFormat("x", 1));
    p->Add(NewTitleFormat());
    EXPECT_EQ(field(0, TagAttributeArtist, "AXB"), "");
    bool missing = false;
    EXPECT_EQ(p->TagAttributeString(TagAttributeTitle, "AXBxC", missing), "C");
    EXPECT_EQ(p->TagAttributeString(TagAttributeArtist, "AXBxC", missing), "AXB");
}

TEST(TagAttributeString, AwkwardNamesGiveThePatternsResult)
{
    // Only separators: the fields between them are empty.
    EXPECT_EQ(field(0, TagAttributeArtist, " -  - ."), "");
    EXPECT_EQ(field(0, TagAttributeAlbum, " -  - ."), "");
    EXPECT_EQ(field(0, TagAttributeTrack, " -  - ."), "");
    EXPECT_EQ(field(0, TagAttributeTitle, " -  - ."), "");
    // Placeholder texts inside a name are plain characters.
    EXPECT_EQ(field(1, TagAttributeArtist, "#AR# - #TI#"), "#AR#");
    EXPECT_EQ(field(1, TagAttributeTitle, "#AR# - #TI#"), "#TI#");
    // An empty name.
    bool missing = false;
    EXPECT_EQ(pattern(1)->TagAttributeString(TagAttributeArtist, "", missing), "");
    EXPECT_FALSE(missing); // the placeholder exists; the name just does not fit
    // A very long name.
    const QString artist(4096, QChar('a'));
    EXPECT_EQ(field(1, TagAttributeArtist, artist + " - " + artist), artist);
    EXPECT_EQ(field(1, TagAttributeTitle, artist + " - " + artist), artist);
}

TEST(TagAttributeString, LeavesTheCursorWhereItWas)
{
    const auto p = pattern(0);
    p->FirstElem();
    p->NextElem();
    p->NextElem();
    bool missing = false;
    p->TagAttributeString(TagAttributeTitle, "Artist - Album - 07.Title", missing);
    p->TagAttributeString(TagAttributeTrack, "no fit", missing);
    p->TagAttributeString(TagAttributeYear, "no fit", missing);
    EXPECT_EQ(p->AbsolutePosition(), 3);
}

TEST(TagAttributeString, FirstPlaceholderWithTheNumberWins)
{
    TagFormats p;
    p.Add(NewTitleFormat());
    p.Add(NewSeparatorFormat("+", 1));
    p.Add(NewTitleFormat());
    bool missing = true;
    EXPECT_EQ(p.TagAttributeString(TagAttributeTitle, "a+b", missing), "a");
    EXPECT_FALSE(missing);
    // A separator whose text is the number never counts as the placeholder.
    TagFormats q;
    q.Add(NewSeparatorFormat("2", 1));
    EXPECT_EQ(q.TagAttributeString(TagAttributeArtist, "2", missing), "");
    EXPECT_TRUE(missing);
}
