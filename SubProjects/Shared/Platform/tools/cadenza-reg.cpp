// cadenza-reg: query and change the registry store from a terminal.
//   cadenza-reg where
//   cadenza-reg list   ROOT [KEY]
//   cadenza-reg query  ROOT KEY [NAME]         (no NAME: the default value)
//   cadenza-reg set    ROOT KEY NAME TYPE DATA (NAME "@" or "": default value;
//                                               TYPE sz, expand_sz, dword, multi_sz;
//                                               multi_sz DATA separates entries by '|')
//   cadenza-reg delete ROOT KEY [NAME]         (no NAME: the key and all below it)
// ROOT is HKEY_CLASSES_ROOT/HKCR or HKEY_CURRENT_USER/HKCU.
#include "Platform/RegistryStore.h"
#include "Platform/RuntimeError.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

using namespace Platform;

namespace {

int usage()
{
    std::fprintf(stderr,
                 "usage: cadenza-reg where | list ROOT [KEY] | query ROOT KEY [NAME] |\n"
                 "       set ROOT KEY NAME sz|expand_sz|dword|multi_sz DATA | delete ROOT KEY [NAME]\n");
    return 2;
}

std::string show(const RegistryValue& v)
{
    if (v.type == 4 && v.data.size() == 4) {
        std::uint32_t n = 0;
        for (int i = 3; i >= 0; --i)
            n = (n << 8) | static_cast<unsigned char>(v.data[i]);
        return std::to_string(n);
    }
    std::string text = v.data;
    // One terminating zero, two after the last entry of a multi-text.
    if (!text.empty() && text.back() == '\0')
        text.pop_back();
    if (v.type == 7 && !text.empty() && text.back() == '\0')
        text.pop_back();
    for (char& c : text)
        if (c == '\0')
            c = '|';
    return text;
}

std::string valueName(const std::string& arg)
{
    return arg == "@" ? std::string() : arg;
}

} // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty())
        return usage();
    if (args[0] == "where") {
        const std::string folder = RegistryFolder();
        if (folder.empty()) {
            std::fprintf(stderr,
                         "cadenza-reg: no registry folder (HOME is not set and the user has no home)\n");
            return 3;
        }
        std::printf("%s\n", folder.c_str());
        return 0;
    }
    if (args.size() < 2)
        return usage();
    const auto root = RegistryRootFromName(args[1]);
    if (!root)
        return usage();
    try {
        const std::string key = args.size() > 2 ? args[2] : std::string();
        if (args[0] == "list") {
            const RegistryHive hive = LoadRegistry(*root);
            if (!hive.keyExists(key))
                return 1;
            for (const auto& sub : hive.subKeys(key))
                std::printf("[%s]\n", sub.c_str());
            for (const auto& name : hive.valueNames(key))
                std::printf("%s = %s\n", name.empty() ? "@" : name.c_str(),
                            show(*hive.findValue(key, name)).c_str());
            return 0;
        }
        if (args[0] == "query" && args.size() >= 3) {
            const RegistryHive hive = LoadRegistry(*root);
            const RegistryValue* v = hive.findValue(key, args.size() > 3 ? valueName(args[3]) : "");
            if (!v)
                return 1;
            std::printf("%s\n", show(*v).c_str());
            return 0;
        }
        if (args[0] == "set" && args.size() == 6) {
            const std::string& type = args[4];
            std::string data = args[5];
            RegistryValue v;
            if (type == "sz" || type == "expand_sz") {
                v = {type == "sz" ? 1u : 2u, data + '\0'};
            } else if (type == "multi_sz") {
                for (char& c : data)
                    if (c == '|')
                        c = '\0';
                v = {7u, data + '\0' + '\0'};
            } else if (type == "dword") {
                char* end = nullptr;
                const unsigned long n = std::strtoul(data.c_str(), &end, 0);
                if (data.empty() || *end || n > 0xffffffffUL)
                    return usage();
                RegistryHive scratch;
                scratch.setDword("x", "", static_cast<std::uint32_t>(n));
                v = *scratch.findValue("x", "");
            } else {
                return usage();
            }
            UpdateRegistry(*root, [&](RegistryHive& h) { h.setValue(key, valueName(args[3]), v); });
            return 0;
        }
        if (args[0] == "delete" && args.size() >= 3) {
            bool done = false;
            UpdateRegistry(*root, [&](RegistryHive& h) {
                done = args.size() > 3 ? h.deleteValue(key, valueName(args[3])) : h.deleteTree(key);
            });
            return done ? 0 : 1;
        }
    } catch (const RuntimeError& e) {
        std::fprintf(stderr, "cadenza-reg: %s\n", e.Description().c_str());
        return 3;
    }
    return usage();
}
