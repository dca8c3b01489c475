#pragma once

#include <QString>

class QWidget;

// The read-only viewer of the LICENSE file beside the executable.
namespace LicenseWindow {

QString licenseFilePath();
// The file's text with line feeds as line ends, or the "not found" text when it cannot be read.
QString licenseText(const QString &path);
// Shows the text modally until the user closes the window.
void exec(QWidget *parent);

} // namespace LicenseWindow
