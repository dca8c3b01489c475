#pragma once

#include <QByteArray>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

// What one run of a program gave.
struct ProcessRun
{
    int exitCode = -1; // -1 when it did not start, crashed or hung
    QByteArray out;
    QByteArray err;
};

// Runs the program to its end (two minutes at most) with input on its standard input.
ProcessRun
runProcess(const QString &program, const QStringList &arguments,
           const QByteArray &input = QByteArray(),
           const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment());
