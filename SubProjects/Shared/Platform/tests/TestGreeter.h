#pragma once

#include "Platform/Component.h"

#include <string>

// The interface the component host's tests bind to without linking the library.
class ITestGreeter : public Platform::Object
{
public:
    virtual std::string Greet(const std::string& name) = 0;
    virtual int Count() = 0;
};
