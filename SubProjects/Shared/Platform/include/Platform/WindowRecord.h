#pragma once

#include "Platform/WindowMessages.h"

#include <cstddef>
#include <string_view>

namespace Platform {

// One message record as it arrives at a window (the wire format is described
// in WindowMessages.h), read from the bytes received so far.
struct WindowRecord
{
    WindowRecordHeader header{};
    std::string_view payload; // points into the bytes given to ParseWindowRecord
    std::size_t size = 0;     // bytes the whole record takes; 0 until the header is there
};

enum class WindowRecordParse
{
    NeedMore, // a valid start; record.size says how many bytes the record needs, once known
    Complete, // record is filled; the record ends at record.size
    Invalid,  // no record: wrong magic, or a payload longer than payloadLimit
};

// Reads the record at the start of bytes. A payload longer than payloadLimit
// (never more than kWindowPayloadLimit) makes the record invalid as soon as
// its header is there, before the payload is received.
WindowRecordParse ParseWindowRecord(std::string_view bytes, std::size_t payloadLimit, WindowRecord& record);

} // namespace Platform
