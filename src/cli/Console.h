#pragma once

#include <QByteArray>
#include <QString>

// The console program's three streams. Standard output carries only the result, so that it can
// be piped; errors, questions and progress go to standard error.
namespace Console {

// The result, as bytes. False when standard output cannot take them (a closed pipe, a full disk).
bool out(const QByteArray &bytes);
bool out(const QString &text);

// One error as one line on standard error, after the program's name.
void error(const QString &message);
// Text on standard error as it stands (questions, progress).
void note(const QString &text);

// The text on one line: a line break becomes a blank after a sentence or a colon and a semicolon
// between the entries of a list; the line ends with a full stop.
QString oneLine(const QString &text);

// One line typed on standard input, without its line end; false at the end of the input.
bool readLine(QString *line);

} // namespace Console
