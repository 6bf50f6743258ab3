#include "modTagFormat.h"

#include "Platform/FileNameCodec.h"

#include <gtest/gtest.h>

using namespace modTagFormat;

namespace {

struct Parsed
{
    bool error = false;
    std::shared_ptr<Quaver::Tag> tag;
};

Parsed parse(int index, const QString& name)
{
    Parsed p;
    p.error = ParseFileName(*DefaultFormats()->ItemAt(index + 1), name, p.tag);
    return p;
}

void expectFields(const Parsed& p, const std::string& artist, const std::string& album,
                  const std::string& title, int track)
{
    ASSERT_TRUE(p.tag);
    EXPECT_EQ(p.tag->Artist(), artist);
    EXPECT_EQ(p.tag->Album(), album);
    EXPECT_EQ(p.tag->Title(), title);
    EXPECT_EQ(p.tag->Track(), track);
    EXPECT_EQ(p.tag->Year(), "");
    EXPECT_EQ(p.tag->Comment(), "");
    EXPECT_EQ(p.tag->Genre(), 255);
}

} // namespace

TEST(ParseFileName, FittingNamesFillTheirFields)
{
    auto p = parse(0, "Artist - Album - 07.Title");
    EXPECT_FALSE(p.error);
    expectFields(p, "Artist", "Album", "Title", 7);
    EXPECT_EQ(p.tag->TagType(), Quaver::ID3V11);

    p = parse(1, "Artist - Title");
    EXPECT_FALSE(p.error);
    expectFields(p, "Artist", "", "Title", 0);
    EXPECT_EQ(p.tag->TagType(), Quaver::ID3Unknown);

    p = parse(2, "Artist - 5.Title");
    EXPECT_FALSE(p.error);
    expectFields(p, "Artist", "", "Title", 5);
}

TEST(ParseFileName, OnlyTheTrackTurnsAMisfitIntoAnError)
{
    auto p = parse(0, "A - B");
    EXPECT_TRUE(p.error);
    expectFields(p, "A", "", "", 0);
    EXPECT_EQ(p.tag->TagType(), Quaver::ID3Unknown);

    p = parse(0, "Artist - Album - 7a.Title");
    EXPECT_TRUE(p.error);
    EXPECT_EQ(p.tag->Track(), 0);
    EXPECT_EQ(p.tag->TagType(), Quaver::ID3Unknown);

    p = parse(0, "Artist - Album - .Title"); // empty track text
    EXPECT_TRUE(p.error);

    // No "#TR#": never an error, whatever the name.
    for (const char* name : {"", "Something", " - ", "7a"})
        EXPECT_FALSE(parse(1, name).error) << name;
}

TEST(ParseFileName, AFailedTrackSearchKeepsTheFlagAnEarlierCallLeft)
{
    // Pattern 2 has no "#AL#": that call sets the flag, and the failing title
    // and track searches leave it set, so no error is reported.
    auto p = parse(2, "Something");
    EXPECT_FALSE(p.error);
    expectFields(p, "", "", "", 0);
}

TEST(ParseFileName, EarlierSeparatorInAFieldShiftsTheTitle)
{
    auto p = parse(0, "Mr. X - Album - 01.Song");
    EXPECT_FALSE(p.error);
    expectFields(p, "Mr. X", "Album", " X - Album - 01.Song", 1);
}

TEST(ParseFileName, TrackTextsAreConvertedOrRefused)
{
    // Rounded half to even (a pattern whose track may hold a decimal point).
    TagFormats underscore;
    underscore.Add(NewTrackFormat());
    underscore.Add(NewSeparatorFormat("_", 1));
    underscore.Add(NewTitleFormat());
    std::shared_ptr<Quaver::Tag> tag;
    EXPECT_FALSE(ParseFileName(underscore, "2.5_T", tag));
    EXPECT_EQ(tag->Track(), 2);
    ParseFileName(underscore, "3.5_T", tag);
    EXPECT_EQ(tag->Track(), 4);
    EXPECT_EQ(parse(2, "A -  12 .T").tag->Track(), 12); // surrounding blanks are allowed
    // Beyond 16 bits: reported, never stored as a wrong number.
    for (const char* name : {"A - 70000.T", "A - 32768.T", "A - -32769.T", "A - 99999999999999999999.T"}) {
        const auto p = parse(2, name);
        EXPECT_TRUE(p.error) << name;
        EXPECT_EQ(p.tag->Track(), 0) << name;
        EXPECT_EQ(p.tag->TagType(), Quaver::ID3Unknown) << name;
    }
    EXPECT_EQ(parse(2, "A - 32767.T").tag->Track(), 32767);
    EXPECT_EQ(parse(2, "A - -3.T").tag->Track(), -3);
}

TEST(ParseFileName, AwkwardNamesDoNotUpsetIt)
{
    auto p = parse(0, "");
    EXPECT_TRUE(p.error); // the track search fails after the artist call cleared the flag
    expectFields(p, "", "", "", 0);

    p = parse(0, " -  - .");
    EXPECT_TRUE(p.error); // empty track text
    expectFields(p, "", "", "", 0);

    p = parse(0, "#AR# - #AL# - 3.#TI#");
    EXPECT_FALSE(p.error);
    expectFields(p, "#AR#", "#AL#", "#TI#", 3);

    const QString longText(4096, QChar('x'));
    p = parse(2, longText + " - 9." + longText);
    EXPECT_FALSE(p.error);
    EXPECT_EQ(p.tag->Artist(), longText.toStdString());
    EXPECT_EQ(p.tag->Title(), longText.toStdString());

    // Texts reach the record as UTF-8, whatever plane.
    p = parse(1, QString::fromUtf8("Bj\xC3\xB6rk \xE2\x82\xAC - \xF0\x9F\x8E\xB5 J\xC3\xB3ga"));
    EXPECT_EQ(p.tag->Artist(), "Bj\xC3\xB6rk \xE2\x82\xAC");
    EXPECT_EQ(p.tag->Title(), "\xF0\x9F\x8E\xB5 J\xC3\xB3ga");
}

TEST(ParseFileName, NameBytesThatAreNotUtf8ReadAsWindows1252)
{
    // A Latin-1 name as the file system holds it, with the euro sign's
    // Windows-1252 byte and a valid UTF-8 "\xC3\xB6" alongside.
    auto p = parse(2, Platform::DecodeFileName("Bj\xC3\xB6rk \x80 - 03.caf\xE9"));
    EXPECT_FALSE(p.error);
    EXPECT_EQ(p.tag->Track(), 3);
    EXPECT_EQ(p.tag->Artist(), "Bj\xC3\xB6rk \xE2\x82\xAC");
    EXPECT_EQ(p.tag->Title(), "caf\xC3\xA9");

    // A lone surrogate that no file name produced still becomes "?".
    p = parse(1, QStringLiteral("caf") + QChar(0xD800) + QStringLiteral(" - x"));
    EXPECT_EQ(p.tag->Artist(), "caf?");
}

TEST(ParseFileName, ReplacesTheRecordAndKeepsTheCursor)
{
    const auto pattern = DefaultFormats()->Item("0");
    pattern->FirstElem();
    pattern->NextElem();
    auto tag = std::make_shared<Quaver::Tag>();
    const auto before = tag;
    tag->setComment("old");
    ParseFileName(*pattern, "Artist - Album - 07.Title", tag);
    EXPECT_NE(tag, before);
    EXPECT_EQ(tag->Comment(), "");
    EXPECT_EQ(before->Comment(), "old");
    EXPECT_EQ(pattern->AbsolutePosition(), 2);
}
