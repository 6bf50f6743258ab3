#pragma once

namespace Quaver {

// Which trailer variant a tag record holds.
enum EID3TagConstants : int
{
    ID3Unknown = 0, // no tag, or not known
    ID3V1 = 1,      // ID3v1.0: 30-byte comment, no track
    ID3V11 = 2,     // ID3v1.1: 28-byte comment, a zero byte, a track byte
};

} // namespace Quaver
