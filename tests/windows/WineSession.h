#pragma once

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

// A Wine prefix of its own, started headless the way that does not hang on Wine 8: the first
// initialisation runs to its end before a persistent server is started, and no wine process
// writes into a pipe (output always goes to files).
class WineSession final
{
public:
    explicit WineSession(const QString &prefix);
    ~WineSession();

    WineSession(const WineSession &) = delete;
    WineSession &operator=(const WineSession &) = delete;

    // Removes whatever the prefix held, creates it afresh and starts the persistent server.
    bool start();
    // Stops every Wine process of the prefix and waits until they are gone.
    void stop();
    // Removes the prefix of a stopped session.
    bool removePrefix();

    struct Run
    {
        QString workingDirectory;
        QString inputFile;  // standard input; the null device when empty
        QString outputFile; // standard output, standard error beside it in <outputFile>.stderr;
                            // both to the null device when empty
        int timeoutMs = 60000;
    };
    // Runs `wine <arguments>`; the exit code, or -1 when it could not start or timed out.
    int wine(const QStringList &arguments, const Run &run);

    QString prefix() const { return m_prefix; }
    // Why the last call failed, for the test's message.
    QString lastError() const { return m_lastError; }

private:
    int runProgram(const QString &program, const QStringList &arguments, const Run &run);

    QString m_prefix;
    QProcessEnvironment m_environment;
    QString m_lastError;
    bool m_started = false;
};
