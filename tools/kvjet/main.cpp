#include "tools/kvjet/KvJetCommands.h"

#include <iostream>
#include <memory>

#ifdef _WIN32
#include <windows.h>
#include <shellapi.h>

namespace {

// Arguments as UTF-8, whatever the console's code page, so that paths and passwords keep every character.
std::vector<std::string> utf8Arguments() {
    int argc = 0;
    std::unique_ptr<wchar_t*, decltype(&::LocalFree)> argv(::CommandLineToArgvW(::GetCommandLineW(), &argc),
                                                           &::LocalFree);
    std::vector<std::string> args;
    for (int i = 1; argv && i < argc; ++i) {
        const wchar_t* w = argv.get()[i];
        int n = ::WideCharToMultiByte(CP_UTF8, 0, w, -1, nullptr, 0, nullptr, nullptr);
        std::string s(n > 0 ? n - 1 : 0, '\0');
        if (n > 1) ::WideCharToMultiByte(CP_UTF8, 0, w, -1, s.data(), n, nullptr, nullptr);
        args.push_back(std::move(s));
    }
    return args;
}

}  // namespace

int main() { return kvjet::run(utf8Arguments(), std::cout, std::cerr); }
#else
int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    return kvjet::run(args, std::cout, std::cerr);
}
#endif
