#pragma once

#include "Platform/RuntimeError.h"

#include <cstdint>
#include <functional>

// The number of the run-time error a call throws; 0 when it throws none.
inline std::int32_t errorNumber(const std::function<void()>& call)
{
    try {
        call();
    } catch (const Platform::RuntimeError& error) {
        return error.Number();
    }
    return 0;
}
