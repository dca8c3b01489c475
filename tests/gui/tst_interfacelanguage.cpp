#include "InterfaceLanguage.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

// Runs from a folder of its own, so that it can lay out translations/ beside itself as the
// program finds it beside the executable.
class tst_InterfaceLanguage final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void buildPutsQtTranslationBesideProgram();
    void apply_data();
    void apply();
    void switchingBackToEnglishRestoresQtTexts();

private:
    InterfaceLanguage::Translators m_translators;
};

namespace {

const QString programDir = QStringLiteral(LEDGERWELL_PROGRAM_DIR);
const QString markerFile = QStringLiteral(LEDGERWELL_QT_MARKER_QM); // its Yes reads "&Jawohl"

QString translationsDir()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/translations");
}

QString qtFolderFile(const QString &name)
{
    return QLibraryInfo::path(QLibraryInfo::TranslationsPath) + QLatin1Char('/') + name;
}

// The Yes button of a message box made now, in the language now in force.
QString yesButtonText()
{
    QMessageBox box;
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    return box.button(QMessageBox::Yes)->text();
}

QString programText()
{
    return QCoreApplication::translate("MainWindow", "&File");
}

} // namespace

void tst_InterfaceLanguage::initTestCase()
{
    QVERIFY2(QFile::exists(qtFolderFile("qtbase_de.qm")),
             "Qt's German translation is missing (Debian: qt6-translations-l10n, installed by "
             "scripts/install-deps.sh)");
    QVERIFY(QFile::exists(markerFile));
}

void tst_InterfaceLanguage::init()
{
    QVERIFY(QDir(translationsDir()).removeRecursively());
    QVERIFY(QDir().mkpath(translationsDir()));
}

void tst_InterfaceLanguage::cleanup()
{
    InterfaceLanguage::apply(m_translators, "en");
}

void tst_InterfaceLanguage::buildPutsQtTranslationBesideProgram()
{
    QFile built(programDir + "/translations/qtbase_de.qm");
    QFile qt(qtFolderFile("qtbase_de.qm"));
    QVERIFY2(built.open(QIODevice::ReadOnly), qPrintable(built.fileName()));
    QVERIFY(qt.open(QIODevice::ReadOnly));
    QCOMPARE(built.readAll(), qt.readAll());
}

void tst_InterfaceLanguage::apply_data()
{
    QTest::addColumn<QString>("code");
    // Laid out in translations/: our German file under these names, the marker under those.
    QTest::addColumn<QStringList>("ours");
    QTest::addColumn<QStringList>("markers");
    QTest::addColumn<bool>("applied");
    QTest::addColumn<QString>("program");
    QTest::addColumn<QString>("yes");

    QTest::newRow("German, Qt's from its own folder")
        << "de" << QStringList{"de.qm"} << QStringList() << true << "&Datei"
        << "&Ja";
    QTest::newRow("German, Qt's beside the program first")
        << "de" << QStringList{"de.qm"} << QStringList{"qtbase_de.qm"} << true << "&Datei"
        << "&Jawohl";
    QTest::newRow("German, windeployqt's combined file")
        << "de" << QStringList{"de.qm"} << QStringList{"qt_de.qm"} << true << "&Datei"
        << "&Jawohl";
    QTest::newRow("no Qt translation for the language")
        << "xx" << QStringList{"de.qm", "xx.qm"} << QStringList() << true << "&Datei"
        << "&Yes";
    QTest::newRow("only Qt's translation for the language")
        << "xx" << QStringList{"de.qm"} << QStringList{"qtbase_xx.qm"} << false << "&File"
        << "&Yes";
    QTest::newRow("English loads neither")
        << "en" << QStringList{"de.qm", "en.qm"} << QStringList{"qtbase_en.qm"} << true << "&File"
        << "&Yes";
}

void tst_InterfaceLanguage::apply()
{
    QFETCH(QString, code);
    QFETCH(QStringList, ours);
    QFETCH(QStringList, markers);
    QFETCH(bool, applied);
    QFETCH(QString, program);
    QFETCH(QString, yes);

    for (const QString &name : ours)
        QVERIFY(QFile::copy(programDir + "/translations/de.qm", translationsDir() + '/' + name));
    for (const QString &name : markers)
        QVERIFY(QFile::copy(markerFile, translationsDir() + '/' + name));

    // From German, so that what the code leaves behind shows too.
    QVERIFY(InterfaceLanguage::apply(m_translators, "de"));
    QCOMPARE(InterfaceLanguage::apply(m_translators, code), applied);
    QCOMPARE(programText(), program);
    QCOMPARE(yesButtonText(), yes);
}

void tst_InterfaceLanguage::switchingBackToEnglishRestoresQtTexts()
{
    QVERIFY(QFile::copy(programDir + "/translations/de.qm", translationsDir() + "/de.qm"));
    QCOMPARE(yesButtonText(), QStringLiteral("&Yes"));
    QVERIFY(InterfaceLanguage::apply(m_translators, "de"));
    QCOMPARE(yesButtonText(), QStringLiteral("&Ja"));
    QCOMPARE(QCoreApplication::translate("QLineEdit", "&Undo"), QStringLiteral("&Rückgängig"));

    QVERIFY(InterfaceLanguage::apply(m_translators, "en"));
    QCOMPARE(yesButtonText(), QStringLiteral("&Yes"));
    QCOMPARE(QCoreApplication::translate("QLineEdit", "&Undo"), QStringLiteral("&Undo"));
    QCOMPARE(programText(), QStringLiteral("&File"));
}

QTEST_MAIN(tst_InterfaceLanguage)
#include "tst_interfacelanguage.moc"
