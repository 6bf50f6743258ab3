// The trailer parser on any 128 bytes: parsing must not fail, and the record
// it gives must come back unchanged from its own rendered trailer.
#include "Quaver/Tag.h"
#include "Quaver/TrailerCodec.h"

#include <cstdlib>
#include <cstring>

using namespace Quaver;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    TrailerCodec::Block block{};
    std::memcpy(block.data(), data, std::min(size, block.size()));
    Tag tag;
    if (TrailerCodec::Parse(block, tag) == EID3TagConstants::ID3Unknown)
        return 0;
    Tag again;
    TrailerCodec::Parse(TrailerCodec::Render(tag), again);
    if (again.Title() != tag.Title() || again.Artist() != tag.Artist() || again.Album() != tag.Album() ||
        again.Year() != tag.Year() || again.Comment() != tag.Comment() || again.Track() != tag.Track() ||
        again.Genre() != tag.Genre() || again.TagType() != tag.TagType())
        std::abort();
    return 0;
}
