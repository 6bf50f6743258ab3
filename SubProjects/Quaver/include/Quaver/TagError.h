#pragma once

#include "Quaver/ErrorConstants.h"
#include "Quaver/QuaverExport.h"

#include <cstdint>
#include <memory>
#include <string>

namespace Platform {
class RuntimeError;
}

namespace Quaver {

// The record in which the library reports a failure instead of raising it.
// Each FileHandler owns one and hands it out as LastError.
class QUAVER_EXPORT TagError
{
public:
    // A new record: number -1, source and description "<unknown>", mode Critical.
    TagError() = default;

    const std::string& Source() const { return m_source; }
    void setSource(std::string value) { m_source = std::move(value); }
    const std::string& Description() const { return m_description; }
    void setDescription(std::string value) { m_description = std::move(value); }
    std::int32_t Number() const { return m_number; }
    void setNumber(std::int32_t value) { m_number = value; }
    // Any value of the underlying type is kept, also one outside the enumeration.
    ErrorConstants Mode() const { return m_mode; }
    void setMode(ErrorConstants value) { m_mode = value; }

    // Empty source and description, number 0, mode Information.
    void Clear();

    // Takes number, source and description of a run-time error, mode Critical;
    // false, and the record unchanged, when oErr is nullptr.
    bool CopyError(const Platform::RuntimeError* oErr);

    // Shows the record in a modal box with an OK button through the
    // message-box hook: icon by mode, "Number\r\nSource\r\nDescription" (no
    // number line when it is 0), caption "Quaver Reader Writer : Title" or
    // "Quaver" when Title is empty.
    void Show(const std::string& Title = std::string()) const;

    // "Number, Source, Description" on one line.
    std::string Stream() const;

private:
    std::string m_source = "<unknown>";
    std::string m_description = "<unknown>";
    std::int32_t m_number = -1;
    ErrorConstants m_mode = Critical;
};

using TagErrorPtr = std::shared_ptr<TagError>;

} // namespace Quaver
