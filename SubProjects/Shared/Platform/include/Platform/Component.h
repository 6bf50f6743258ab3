#pragma once

#include "Platform/RuntimeError.h"

#include <memory>
#include <string>

// Creating classes of component libraries by programmatic identifier.
//
// A component library registers itself (regsvr32, or the build) under
// HKEY_CLASSES_ROOT:
//     <ProgID>                          @ = description
//     <ProgID>\Clsid                    @ = {class id}
//     CLSID\{class id}                  @ = description, "ProgID" = <ProgID>
//     CLSID\{class id}\InprocServer32   @ = the library's absolute path
// CreateObject reads these keys, loads the library and asks its exported
// factory for the class. Callers compile against a pure abstract interface
// (derived from Object) and bind to its members by their order; they never link
// the library.
namespace Platform {

inline constexpr std::int32_t ErrCantCreateObject = 429;
inline constexpr std::int32_t ErrTypeMismatch = 13;

// The root of every object a component library hands out. The object is
// destroyed through its own library's code, which stays loaded for the rest of
// the process.
class Object
{
public:
    virtual ~Object() = default;
};

// An object of a plain C++ class of a component library (one that is not
// itself an Object), as the library's factory hands it out.
template <class T> class ObjectOf : public Object
{
public:
    explicit ObjectOf(std::shared_ptr<T> value) : m_value(std::move(value)) {}
    const std::shared_ptr<T>& value() const { return m_value; }

private:
    std::shared_ptr<T> m_value;
};

// Throws RuntimeError 429 "ActiveX component can't create object" when the
// ProgID is not registered, its library is missing or cannot be loaded, or the
// library does not know the class; the description says which.
std::shared_ptr<Object> CreateObject(const std::string& progId);

// CreateObject, bound to an interface; a class that does not implement it is
// error 13 "Type mismatch".
template <class Interface> std::shared_ptr<Interface> CreateObjectAs(const std::string& progId)
{
    auto object = std::dynamic_pointer_cast<Interface>(CreateObject(progId));
    if (!object)
        throw RuntimeError(ErrTypeMismatch, progId, "Type mismatch");
    return object;
}

// CreateObject for a class handed out as ObjectOf<T>.
template <class T> std::shared_ptr<T> CreateObjectOf(const std::string& progId)
{
    return CreateObjectAs<ObjectOf<T>>(progId)->value();
}

} // namespace Platform
