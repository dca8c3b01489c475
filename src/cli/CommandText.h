#pragma once

#include <QString>

struct ServiceCommand;

// One command of an installation as a line for `install --dry-run`: the tool, then each argument
// as the Windows command line of the tool carries it (values in double quotes, a quote inside
// written as \" with the backslashes before it doubled). A line break or other control character
// in a value, which no command line can show, is written as \n, \r, \t or \x{..}.
namespace CommandText {

QString line(const ServiceCommand &command);

} // namespace CommandText
