#pragma once

#include <QString>

struct JsonReadError;

// Why a JSON service file gave no services, as the window and the command line tell it: empty
// when the error says nothing (the file was read and simply holds no services). Translated in the
// context "MainWindow".
QString describeJsonReadError(const QString &path, const JsonReadError &error);
