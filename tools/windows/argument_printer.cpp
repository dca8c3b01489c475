// Stands in for a Windows command-line tool (built as sc.exe and reg.exe): prints the arguments it
// received, one per line, and appends them to calls.log beside itself in TextForm, so that a
// check sees exactly what each run of the tool received:
//
//   call "sc"
//   arg "create"
//   ...

#include "TextForm.h"

#include <windows.h>

#include <cstdio>
#include <string>

namespace {

// The folder and base name of this executable.
void ownLocation(std::u16string &folder, std::u16string &name)
{
    wchar_t path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    const std::u16string full(reinterpret_cast<const char16_t *>(path), length);
    const std::size_t slash = full.find_last_of(u"\\/");
    folder = full.substr(0, slash == std::u16string::npos ? 0 : slash + 1);
    name = full.substr(slash == std::u16string::npos ? 0 : slash + 1);
    const std::size_t dot = name.rfind(u'.');
    if (dot != std::u16string::npos)
        name.erase(dot);
    for (char16_t &c : name) {
        if (c >= u'A' && c <= u'Z')
            c = char16_t(c - u'A' + u'a');
    }
}

} // namespace

int wmain(int argc, wchar_t **argv)
{
    std::u16string folder;
    std::u16string name;
    ownLocation(folder, name);

    std::string log = "call " + textform::quoted(name) + "\n";
    for (int i = 1; i < argc; ++i) {
        const std::u16string argument(reinterpret_cast<const char16_t *>(argv[i]));
        textform::write(textform::toUtf8(argument) + "\n");
        log += "arg " + textform::quoted(argument) + "\n";
    }

    const std::u16string logPath = folder + u"calls.log";
    FILE *file = _wfopen(reinterpret_cast<const wchar_t *>(logPath.c_str()), L"ab");
    if (!file)
        return 1;
    const bool written = std::fwrite(log.data(), 1, log.size(), file) == log.size();
    return std::fclose(file) == 0 && written ? 0 : 1;
}
