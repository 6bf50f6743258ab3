#include "Platform/WindowRecord.h"

#include <algorithm>
#include <cstring>

namespace Platform {

WindowRecordParse ParseWindowRecord(std::string_view bytes, std::size_t payloadLimit, WindowRecord& record)
{
    record = WindowRecord{};
    if (bytes.size() < sizeof(WindowRecordHeader))
        return WindowRecordParse::NeedMore;
    std::memcpy(&record.header, bytes.data(), sizeof record.header);
    if (record.header.magic != kWindowRecordMagic ||
        record.header.payloadLength > std::min<std::size_t>(payloadLimit, kWindowPayloadLimit))
        return WindowRecordParse::Invalid;
    record.size = sizeof(WindowRecordHeader) + record.header.payloadLength;
    if (bytes.size() < record.size)
        return WindowRecordParse::NeedMore;
    record.payload = bytes.substr(sizeof(WindowRecordHeader), record.header.payloadLength);
    return WindowRecordParse::Complete;
}

} // namespace Platform
