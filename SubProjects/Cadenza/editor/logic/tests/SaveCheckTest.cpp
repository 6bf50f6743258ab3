#include "SaveCheck.h"

#include "Quaver/Tag.h"
#include <QStringList>
#include <gtest/gtest.h>

namespace {

// What the fields show for an empty v1.1 record with track 3.
TagFieldTexts withTrack()
{
    Quaver::Tag tag;
    tag.setTagType(Quaver::ID3V11);
    tag.setTrack(3);
    return TagFieldTexts::fromTag(tag);
}

QStringList texts(const std::vector<SaveChange>& changes)
{
    QStringList out;
    for (const SaveChange& c : changes)
        out << c.Text;
    return out;
}

} // namespace

TEST(SaveCheck, NamesEachFieldThatWouldBeStoredOtherwise)
{
    TagFieldTexts typed = withTrack();
    EXPECT_TRUE(ChangesOnSave(typed).empty());

    typed.Comment = QString(28, u'c') + "xy";
    typed.Artist = QString::fromUtf8("\u6771\u4EAC\u4E8B\u5909");
    typed.Title = QString::fromUtf8("Caf\u00E9 \u20AC"); // both have codes
    typed.GenreText = "Nu Disco";
    const auto changes = ChangesOnSave(typed);
    ASSERT_EQ(changes.size(), 3u);
    EXPECT_EQ(changes[0].Field, TagField::Artist);
    EXPECT_EQ(changes[1].Field, TagField::Genre);
    EXPECT_EQ(changes[2].Field, TagField::Comment);
    EXPECT_EQ(texts(changes),
              (QStringList{
                  QString::fromUtf8("Artist: \u6771 \u4EAC \u4E8B \u5909 cannot be stored in the tag; it is "
                                    "saved as \"????\"."),
                  "Genre: \"Nu Disco\" is not in the genre list; the tag keeps \"<Undefined>\".",
                  "Comment: only 28 characters fit beside a track number; \"xy\" at the end is cut off."}));
    const QString box = QString::fromStdString(ConfirmSaveBox(changes, "Legato").text);
    EXPECT_TRUE(
        box.startsWith("The tag cannot be saved exactly as shown:\r\n\r\n" + changes[0].Text + "\r\n"));
    EXPECT_TRUE(box.endsWith("\r\n\r\nSave it anyway? Choose No to go back and change the fields."));

    // Without a track the comment has room for 30 characters.
    typed = withTrack();
    typed.Comment = QString(30, u'c');
    typed.Track.clear();
    EXPECT_TRUE(ChangesOnSave(typed).empty());
}

TEST(SaveCheck, GenreAndTrackTextsThatAreNotSaved)
{
    TagFieldTexts typed = withTrack();
    typed.GenreByte = "17";
    typed.GenreText = "Rock";
    EXPECT_TRUE(ChangesOnSave(typed).empty());
    typed.GenreText = "Jazz"; // listed, but typed rather than chosen
    EXPECT_EQ(texts(ChangesOnSave(typed)),
              QStringList{"Genre: \"Jazz\" was typed, not chosen from the list; the tag keeps \"Rock\"."});
    typed.GenreText = "Rock";

    for (const char* zero : {"0", "00"}) {
        typed.Track = zero;
        EXPECT_TRUE(ChangesOnSave(typed).empty()) << zero;
    }
    for (const char* wrong : {"ab", "-5"}) {
        typed.Track = wrong;
        const auto changes = ChangesOnSave(typed);
        ASSERT_EQ(changes.size(), 1u) << wrong;
        EXPECT_EQ(changes[0].Field, TagField::Track);
        EXPECT_EQ(changes[0].Text,
                  QStringLiteral("Track: \"%1\" is not a track number from 1 to 255; the tag is "
                                 "saved without a track.")
                      .arg(wrong));
    }
}
