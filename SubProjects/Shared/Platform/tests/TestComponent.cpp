#include "Platform/ComponentExports.h"
#include "TestGreeter.h"

namespace {

class Greeter : public ITestGreeter
{
public:
    std::string Greet(const std::string& name) override { return "Hello, " + name; }
    int Count() override { return ++m_count; }

private:
    int m_count = 0;
};

} // namespace

Platform::Object* Platform::CreateComponentObject(std::string_view progId)
{
    // Legato.TestMissing is registered but has no factory, like a class the
    // library no longer provides.
    return progId == "Legato.TestGreeter" ? new Greeter : nullptr;
}
