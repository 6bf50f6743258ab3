#pragma once

namespace Quaver {

// Which trailer variant a tag record holds.
enum EID3TagConstants : int
{
    ID3Unknown = 0, // no tag, or not known
    ID3V1 = 1,      // ID3v1.0: 30-byte comment, no track
    ID3V11 = 2,     // ID3v1.1: 28-byte comment, a zero byte, a track byte
};

// The variant a record with this track number is written as: ID3v1.1 when the
// track fits the trailer's track byte and is not 0 (1 to 255), ID3v1.0
// otherwise. Every place that decides a record's type from its track asks here.
constexpr EID3TagConstants TagTypeForTrack(int track)
{
    return track > 0 && track < 256 ? ID3V11 : ID3V1;
}

} // namespace Quaver
