#include "TagPrinting.h"

#include "Quaver/Tag.h"

#include <gtest/gtest.h>

// The direct JSON line must be exactly what the JSON document writes.
TEST(TagPrintingTest, DirectJsonLineMatchesTheDocumentForEveryCharacter)
{
    Quaver::Tag tag;
    tag.setYear("1999");
    tag.setTrack(7);
    const auto check = [&](const std::string& file, Quaver::EID3TagConstants type) {
        std::string direct;
        TagPrinting::appendTagJsonLine(direct, file, tag, type, {});
        const std::vector<OtherTags::Found> none;
        EXPECT_EQ(direct, TagPrinting::jsonLine(TagPrinting::tagJson(file, tag, type, &none))) << file;
    };
    for (int c = 1; c < 0x80; ++c) {
        const std::string text = std::string("a") + static_cast<char>(c) + "z";
        tag.setTitle(text);
        tag.setComment(text);
        tag.setGenre(static_cast<std::uint8_t>(c + 100)); // named and unnamed genres
        check("dir/" + text + ".mp3", Quaver::ID3V11);
    }
    tag.setArtist("Caf\xC3\xA9");
    check("f\xE9.mp3", Quaver::ID3V1); // not UTF-8: the name's bytes go in base64
}
