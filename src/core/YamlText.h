#pragma once

#include <QString>

// Scalars for the YAML files we write. A double-quoted scalar is the one YAML form that holds any
// text on one line and that no parser takes for a number, a boolean, null or a date.
namespace YamlText {

// The text as a double-quoted scalar that YAML 1.1 and 1.2 parsers (PyYAML, libyaml) read back
// as exactly this text: quotes, backslashes, line breaks and every character a parser would not
// accept literally are written as escapes; everything else, non-ASCII included, as it stands.
// False in *ok (when given) if the text holds a UTF-16 surrogate without its partner: YAML
// holds Unicode characters only, and libyaml refuses such an escape.
QString quoted(const QString &text, bool *ok = nullptr);

// The first position of a surrogate without its partner, or -1.
qsizetype unpairedSurrogate(const QString &text);

} // namespace YamlText
