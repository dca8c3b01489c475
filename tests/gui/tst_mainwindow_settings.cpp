#include "MainWindow.h"
#include "MainWindowTestSupport.h"
#include "MessageBox.h"
#include "ServiceTable.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QHeaderView>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QTableView>
#include <QTest>
#include <QTextEdit>
#include <QTimer>

#include <memory>

// Runs from a folder of its own, so that it can lay out translations/ and LICENSE beside itself
// as the program finds them beside the executable.
class tst_MainWindowSettings final : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void closeSavesSettings_data();
    void closeSavesSettings();
    void layoutSurvivesRestart();
    void columnWidths_data();
    void columnWidths();
    void switchLanguage();
    void languageSurvivesRestart();
    void missingTranslationStaysEnglish();
    void storedEnglishLoadsNoFile();
    void startLanguageFollowsSystemLocale();
    void about();
    void license_data();
    void license();

private:
    std::unique_ptr<MainWindowTestEnvironment> m_env;
};

namespace {

QString programFile(const QString &name)
{
    return QCoreApplication::applicationDirPath() + '/' + name;
}

QSettings settings()
{
    return QSettings(QStringLiteral("Quorvantel"), QStringLiteral("Ledgerwell"));
}

// Every text of the window that follows the language, keyed by where it is shown.
QMap<QString, QString> interfaceTexts(const MainWindow &window)
{
    QMap<QString, QString> texts;
    texts.insert("title", window.windowTitle());
    texts.insert("placeholder", window.findChild<QLineEdit *>("filterEdit")->placeholderText());
    for (const QPushButton *button : window.findChildren<QPushButton *>()) {
        texts.insert(button->objectName(), button->text());
        if (!button->toolTip().isEmpty())
            texts.insert(button->objectName() + " tooltip", button->toolTip());
    }
    for (const QMenu *menu : window.findChildren<QMenu *>()) {
        texts.insert(menu->objectName(), menu->title());
        for (const QAction *action : menu->actions()) {
            if (!action->isSeparator())
                texts.insert(action->objectName(), action->text());
        }
    }
    const QTableView *table = serviceTable(window);
    for (int column = 0; column < table->model()->columnCount(); ++column)
        texts.insert(QString("header %1").arg(column),
                     table->model()->headerData(column, Qt::Horizontal).toString());
    texts.insert("status", statusText(window));
    return texts;
}

bool isGerman(const MainWindow &window)
{
    return window.findChild<QMenu *>("fileMenu")->title() == QStringLiteral("&Datei");
}

void trigger(const MainWindow &window, const char *action)
{
    window.findChild<QAction *>(action)->trigger();
}

// Qt's own text: the Yes button of a message box made now.
QString yesButtonText()
{
    QMessageBox box;
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    return box.button(QMessageBox::Yes)->text();
}

} // namespace

void tst_MainWindowSettings::init()
{
    m_env = std::make_unique<MainWindowTestEnvironment>();
    QVERIFY(m_env->isValid());
    QVERIFY(m_env->writeDatabase(sampleServices()));

    QDir programDir(QCoreApplication::applicationDirPath());
    QVERIFY(programDir.mkpath("translations"));
    QFile::remove(programFile("translations/de.qm"));
    QFile::remove(programFile("translations/en.qm"));
    QFile::remove(programFile("LICENSE"));
    QVERIFY(QFile::copy(QStringLiteral(LEDGERWELL_PROGRAM_DIR "/translations/de.qm"),
                        programFile("translations/de.qm")));
}

void tst_MainWindowSettings::cleanup()
{
    m_env.reset();
    QTRY_VERIFY(QApplication::topLevelWidgets().isEmpty());
}

void tst_MainWindowSettings::closeSavesSettings_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("title bar") << "close";
    QTest::newRow("exit action") << "exit";
    QTest::newRow("quit shortcut") << "shortcut";
}

void tst_MainWindowSettings::closeSavesSettings()
{
    QFETCH(QString, how);

    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(!settings().contains("geometry"));
    if (how == "close") {
        window.close();
    } else if (how == "exit") {
        trigger(window, "exitAction");
    } else {
        const QKeySequence quit(QKeySequence::Quit);
        QCOMPARE(window.findChild<QAction *>("exitAction")->shortcut(), quit);
        if (quit.isEmpty())
            QSKIP("This platform has no standard Quit sequence.");
        QApplication::setActiveWindow(&window);
        QTest::keySequence(&window, QKeySequence::Quit);
    }
    QTRY_VERIFY(!window.isVisible());

    QVERIFY(settings().contains("geometry"));
    QVERIFY(settings().contains("state"));
    QVariantList widths;
    for (int column = 0; column < ServiceTable::ColumnCount; ++column)
        widths.append(serviceTable(window)->columnWidth(column));
    QCOMPARE(settings().value("columnWidths").toList().size(), widths.size());
    for (int column = 0; column < ServiceTable::ColumnCount; ++column)
        QCOMPARE(settings().value("columnWidths").toList().at(column).toInt(), widths.at(column));
}

void tst_MainWindowSettings::layoutSurvivesRestart()
{
    {
        MainWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.resize(800, 500);
        QTableView *table = serviceTable(window);
        table->setColumnWidth(ServiceTable::NameColumn, 150);
        table->setColumnWidth(ServiceTable::DisplayNameColumn, 222);
        table->setColumnWidth(ServiceTable::AccountColumn, 111);
        window.close();
    }
    MainWindow window;
    QCOMPARE(window.size(), QSize(800, 500));
    QTableView *table = serviceTable(window);
    QCOMPARE(table->columnWidth(ServiceTable::CheckColumn), 30);
    QCOMPARE(table->columnWidth(ServiceTable::NameColumn), 150);
    QCOMPARE(table->columnWidth(ServiceTable::DisplayNameColumn), 222);
    QCOMPARE(table->columnWidth(ServiceTable::AccountColumn), 111);
}

void tst_MainWindowSettings::columnWidths_data()
{
    QTest::addColumn<QVariantList>("stored");
    QTest::addColumn<QList<int>>("expected"); // columns 0 to 4; 0 for the fitted width

    QTest::newRow("shorter than the columns")
        << QVariantList{44, 155} << QList<int>{44, 155, 0, 0, 0};
    QTest::newRow("longer than the columns") << QVariantList{41, 142, 143, 144, 145, 146, 147, 148}
                                             << QList<int>{41, 142, 143, 144, 145};
    QTest::newRow("entries that are no width")
        << QVariantList{"wide", 0, -5, "160", QVariant()} << QList<int>{0, 0, 0, 160, 0};
    QTest::newRow("empty") << QVariantList() << QList<int>{0, 0, 0, 0, 0};
}

void tst_MainWindowSettings::columnWidths()
{
    QFETCH(QVariantList, stored);
    QFETCH(QList<int>, expected);

    QList<int> fitted;
    {
        MainWindow window;
        for (int column = 0; column < expected.size(); ++column)
            fitted.append(serviceTable(window)->columnWidth(column));
    }
    QCOMPARE(fitted.first(), 30);
    settings().setValue("columnWidths", stored);

    MainWindow window;
    for (int column = 0; column < expected.size(); ++column) {
        const int width = expected.at(column) ? expected.at(column) : fitted.at(column);
        QCOMPARE(serviceTable(window)->columnWidth(column), width);
    }
}

void tst_MainWindowSettings::switchLanguage()
{
    MainWindow window;
    const QMap<QString, QString> english = interfaceTexts(window);
    QCOMPARE(english.value("fileMenu"), QStringLiteral("&File"));
    QCOMPARE(english.value("exportBatchButton tooltip"),
             QStringLiteral("Export &Batch (.bat)... (Ctrl+B)"));

    trigger(window, "germanAction");
    QCOMPARE(settings().value("language").toString(), QStringLiteral("de"));
    const QMap<QString, QString> german = interfaceTexts(window);
    QCOMPARE(german.keys(), english.keys());
    // Every text follows, except those that are the same in both languages.
    const QStringList sameInBoth{"title", "header 0", "header 1", "englishAction", "germanAction"};
    for (auto it = english.cbegin(); it != english.cend(); ++it) {
        if (sameInBoth.contains(it.key()))
            QCOMPARE(german.value(it.key()), it.value());
        else
            QVERIFY2(german.value(it.key()) != it.value(), qPrintable(it.key()));
    }
    QCOMPARE(german.value("editMenu"), QStringLiteral("&Bearbeiten"));
    QCOMPARE(german.value("header 2"), QStringLiteral("Anzeigename"));
    QCOMPARE(german.value("deselectButton"), QStringLiteral("Alle abwählen"));
    QCOMPARE(german.value("exportBatchButton tooltip"),
             QStringLiteral("Als &Batch exportieren (.bat)... (Ctrl+B)"));
    QCOMPARE(german.value("status"), QStringLiteral("5 Dienste geladen, 5 sichtbar, 0 ausgewählt"));
    QCOMPARE(german.value("germanAction"), QStringLiteral("Deutsch"));
    QCOMPARE(yesButtonText(), QStringLiteral("&Ja"));

    // Messages follow too, and the status text keeps following the check marks.
    trigger(window, "exportJsonAction");
    QCOMPARE(MessageBox::lastShown().text, QStringLiteral("Keine Dienste ausgewählt."));
    checkServices(serviceTable(window), {"BITS"});
    QCOMPARE(statusText(window), QStringLiteral("5 Dienste geladen, 5 sichtbar, 1 ausgewählt"));

    // The same language again changes nothing.
    trigger(window, "germanAction");
    QVERIFY(isGerman(window));

    trigger(window, "englishAction");
    QCOMPARE(settings().value("language").toString(), QStringLiteral("en"));
    QMap<QString, QString> back = interfaceTexts(window);
    QCOMPARE(back.value("status"), QStringLiteral("5 services loaded, 5 visible, 1 selected"));
    back.insert("status", english.value("status"));
    QCOMPARE(back, english);
    QCOMPARE(yesButtonText(), QStringLiteral("&Yes"));
}

void tst_MainWindowSettings::languageSurvivesRestart()
{
    {
        MainWindow window;
        QVERIFY(!isGerman(window));
        trigger(window, "germanAction");
        QVERIFY(isGerman(window));
    }
    {
        MainWindow window;
        QVERIFY(isGerman(window));
        trigger(window, "englishAction");
    }
    MainWindow window;
    QVERIFY(!isGerman(window));
}

void tst_MainWindowSettings::missingTranslationStaysEnglish()
{
    QVERIFY(QFile::remove(programFile("translations/de.qm")));
    {
        MainWindow window;
        trigger(window, "germanAction");
        QCOMPARE(settings().value("language").toString(), QStringLiteral("de"));
        QVERIFY(!isGerman(window));
        QCOMPARE(statusText(window), QStringLiteral("5 services loaded, 5 visible, 0 selected"));
    }
    MainWindow window;
    QVERIFY(!isGerman(window));
    QVERIFY(MessageBox::shown().isEmpty());
}

void tst_MainWindowSettings::storedEnglishLoadsNoFile()
{
    // A file named after "en" is never loaded, whatever it holds.
    QVERIFY(QFile::copy(programFile("translations/de.qm"), programFile("translations/en.qm")));
    settings().setValue("language", "en");
    MainWindow window;
    QVERIFY(!isGerman(window));
    trigger(window, "englishAction");
    QVERIFY(!isGerman(window));
}

void tst_MainWindowSettings::startLanguageFollowsSystemLocale()
{
    // CTest runs this once more under a German locale, and says so.
    const bool germanSystem = QLocale::system().language() == QLocale::German;
    QCOMPARE(germanSystem, qEnvironmentVariableIsSet("LEDGERWELL_TEST_GERMAN_LOCALE"));
    MainWindow window;
    QCOMPARE(isGerman(window), germanSystem);
    QVERIFY(!settings().contains("language"));
}

void tst_MainWindowSettings::about()
{
    MainWindow window;
    trigger(window, "aboutAction");
    QCOMPARE(MessageBox::shown().size(), 1);
    QCOMPARE(MessageBox::lastShown().title, QStringLiteral("About"));
    QCOMPARE(MessageBox::lastShown().text,
             QStringLiteral("Quorvantel Ledgerwell\n\nExport and import Windows service "
                            "configurations.\n\nUse at your own risk."));
}

void tst_MainWindowSettings::license_data()
{
    QTest::addColumn<QByteArray>("contents"); // no file when null
    QTest::addColumn<QString>("shown");

    QTest::newRow("with the file")
        << QByteArray("Terms \xc3\xa4\r\n<b>not bold</b> & <a href=x>no link</a>\r\n")
        << QString::fromUtf8("Terms \xc3\xa4\n<b>not bold</b> & <a href=x>no link</a>\n");
    QTest::newRow("without the file") << QByteArray() << QStringLiteral("LICENSE file not found.");
}

void tst_MainWindowSettings::license()
{
    QFETCH(QByteArray, contents);
    QFETCH(QString, shown);

    if (!contents.isNull()) {
        QFile file(programFile("LICENSE"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(contents);
    }
    MainWindow window;
    QString title;
    QSize size;
    QString text;
    bool readOnly = false;
    QTimer::singleShot(0, this, [&] {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        title = dialog->windowTitle();
        size = dialog->size();
        if (auto *edit = dialog->findChild<QTextEdit *>("licenseText")) {
            text = edit->toPlainText();
            readOnly = edit->isReadOnly();
        }
        if (auto *close = dialog->findChild<QPushButton *>("licenseCloseButton"))
            QTest::mouseClick(close, Qt::LeftButton);
    });
    trigger(window, "licenseAction");

    QCOMPARE(title, QStringLiteral("License"));
    QCOMPARE(size, QSize(600, 450));
    QCOMPARE(text, shown);
    QVERIFY(readOnly);
    QVERIFY(!QApplication::activeModalWidget());
}

QTEST_MAIN(tst_MainWindowSettings)
#include "tst_mainwindow_settings.moc"
