#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

// The German translation source: it holds every text of the interface, each with a finished
// translation.
class tst_Translations final : public QObject
{
    Q_OBJECT

private slots:
    void sourceIsCurrent();
    void everyTextTranslated();
};

void tst_Translations::sourceIsCurrent()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString copy = dir.filePath("ledgerwell_de.ts");
    QVERIFY(QFile::copy(QStringLiteral(LEDGERWELL_TS_FILE), copy));

    // The same sources and options as the update target; a current file comes back unchanged.
    QProcess lupdate;
    lupdate.setProcessChannelMode(QProcess::MergedChannels);
    lupdate.start(QStringLiteral(LEDGERWELL_LUPDATE),
                  {QStringLiteral("@" LEDGERWELL_TRANSLATED_SOURCES), "-ts", copy, "-no-obsolete",
                   "-locations", "none"});
    QVERIFY(lupdate.waitForFinished(120000));
    const QByteArray output = lupdate.readAll();
    QVERIFY2(lupdate.exitStatus() == QProcess::NormalExit && lupdate.exitCode() == 0,
             output.constData());

    QFile original(QStringLiteral(LEDGERWELL_TS_FILE));
    QFile updated(copy);
    QVERIFY(original.open(QIODevice::ReadOnly) && updated.open(QIODevice::ReadOnly));
    QVERIFY2(original.readAll() == updated.readAll(),
             "The .ts file is not current; build ledgerwell_ui_lupdate. " + output);
}

void tst_Translations::everyTextTranslated()
{
    QFile file(QStringLiteral(LEDGERWELL_TS_FILE));
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.errorString()));

    QXmlStreamReader xml(&file);
    QString context;
    QString source;
    QMap<QString, int> messagesPerContext;
    QStringList untranslated;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        if (xml.name() == QLatin1String("name")) {
            context = xml.readElementText();
        } else if (xml.name() == QLatin1String("source")) {
            source = xml.readElementText();
        } else if (xml.name() == QLatin1String("translation")) {
            // "unfinished", or "vanished"/"obsolete" for texts the program no longer has.
            const QString type = xml.attributes().value(QLatin1String("type")).toString();
            const QString translation = xml.readElementText();
            ++messagesPerContext[context];
            if (!type.isEmpty() || translation.trimmed().isEmpty())
                untranslated.append(context + ": " + source + (type.isEmpty() ? "" : " " + type));
        }
    }
    QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
    QVERIFY2(untranslated.isEmpty(), qPrintable(untranslated.join('\n')));
    QVERIFY(messagesPerContext.value("MainWindow") > 0);
    QVERIFY(messagesPerContext.value("ImportDialog") > 0);
    QCOMPARE(QStringList(messagesPerContext.keys()), QStringList({"ImportDialog", "MainWindow"}));
}

QTEST_GUILESS_MAIN(tst_Translations)
#include "tst_translations.moc"
