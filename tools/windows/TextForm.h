#pragma once

// The line form shared by the Windows test programs: texts stand between double quotes with
// C-style escapes, so that every value reads back exactly, blanks and line breaks included.
// Plain C++ and Win32, built with mingw-w64.

#include <string>

namespace textform {

std::string toUtf8(const std::u16string &text);
std::u16string fromUtf8(const std::string &text);

// "..." with \\, \", \n, \r, \t and \xHH for the other control characters; the rest as UTF-8.
std::string quoted(const std::u16string &text);
// Reads a quoted text at the start of `line`; false when it is not one.
bool unquote(const std::string &line, std::u16string &text);

// Writes UTF-8 bytes to standard output unchanged, whatever the console's code page.
void write(const std::string &utf8);

} // namespace textform
