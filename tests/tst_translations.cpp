#include <QFile>
#include <QTest>
#include <QXmlStreamReader>

// The German translation source: every text of the interface has a finished translation.
class tst_Translations final : public QObject
{
    Q_OBJECT

private slots:
    void everyTextTranslated();
};

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
