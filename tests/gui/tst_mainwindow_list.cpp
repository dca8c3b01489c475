#include "FileDialog.h"
#include "MainWindow.h"
#include "MainWindowTestSupport.h"
#include "MessageBox.h"
#include "ServiceTable.h"

#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QJsonArray>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTableView>
#include <QTableWidgetItem>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <memory>

class tst_MainWindowList final : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void startsWithEveryServiceUnchecked();
    void menusAndShortcuts();
    void filterActionSelectsFilterText();
    void filter_data();
    void filter();
    void clearButtonShowsAllRows();
    void checkedRowsThroughFilterAndDeselectAll();
    void userClickChecksRow();
    void selectedServicesKeepEnumerationOrderAfterSorting();
    void headerClicksSortStably();
    void columnsFitTheirContents();
    void contextMenu_data();
    void contextMenu();
    void unreadableDatabaseGivesEmptyTable();

private:
    std::unique_ptr<MainWindowTestEnvironment> m_env;
};

void tst_MainWindowList::init()
{
    m_env = std::make_unique<MainWindowTestEnvironment>();
    QVERIFY(m_env->isValid());
    QVERIFY(m_env->writeDatabase(sampleServices()));
}

void tst_MainWindowList::cleanup()
{
    m_env.reset();
    QTRY_VERIFY(QApplication::topLevelWidgets().isEmpty());
}

void tst_MainWindowList::startsWithEveryServiceUnchecked()
{
    MainWindow window;
    QTableView *table = serviceTable(window);
    QCOMPARE(table->model()->columnCount(), int(ServiceTable::ColumnCount));
    QCOMPARE(visibleRowNames(table),
             QStringList({"Spooler", "wuauserv", "Dnscache", "AcmeAgent", "BITS"}));
    QCOMPARE(statusText(window), QStringLiteral("5 services loaded, 5 visible, 0 selected"));
    QVERIFY(window.selectedServices().isEmpty());

    // Row 3 (AcmeAgent) in full; the check cell can be checked but not selected or edited.
    const int row = 3;
    const QModelIndex check = cell(table, row, ServiceTable::CheckColumn);
    QCOMPARE(int(check.flags()), int(Qt::ItemIsUserCheckable | Qt::ItemIsEnabled));
    // The other cells have the flags a table item has by default.
    for (int column = ServiceTable::NameColumn; column < ServiceTable::ColumnCount; ++column)
        QCOMPARE(cell(table, row, column).flags(), QTableWidgetItem().flags());
    QCOMPARE(checkState(table, row), Qt::Unchecked);
    QVERIFY(check.data(Qt::DisplayRole).toString().isEmpty());
    QCOMPARE(cell(table, row, ServiceTable::NameColumn).data(Qt::ToolTipRole).toString(),
             QStringLiteral("Zebra stripes the backups."));
    QCOMPARE(cellText(table, row, ServiceTable::DisplayNameColumn),
             QStringLiteral("Acme Backup Agent"));
    QCOMPARE(cellText(table, row, ServiceTable::StartTypeColumn), QStringLiteral("Disabled"));
    QCOMPARE(cellText(table, row, ServiceTable::AccountColumn), QStringLiteral(".\\backup"));
    QCOMPARE(cellText(table, row, ServiceTable::BinaryPathColumn),
             QStringLiteral("D:\\Acme\\agent.exe"));
    // A service without a description has no tooltip.
    QVERIFY(!cell(table, 2, ServiceTable::NameColumn).data(Qt::ToolTipRole).isValid());

    QCOMPARE(window.size(), QSize(1000, 600));
    QCOMPARE(table->columnWidth(ServiceTable::CheckColumn), 30);
}

void tst_MainWindowList::menusAndShortcuts()
{
    MainWindow window;
    QStringList entries;
    for (const QAction *menuAction : window.menuBar()->actions()) {
        entries.append(menuAction->text() + ":");
        for (const QAction *action : menuAction->menu()->actions()) {
            entries.append(action->isSeparator()
                               ? QStringLiteral("-")
                               : action->text() + " " + action->shortcut().toString());
        }
    }
    const QString find = QKeySequence(QKeySequence::Find).toString();
    const QString quit = QKeySequence(QKeySequence::Quit).toString();
    QCOMPARE(entries,
             QStringList({"&File:", "Export &Batch (.bat)... Ctrl+B", "Export &JSON... Ctrl+E",
                          "Export &Ansible Playbook... ", "-", "&Import JSON... Ctrl+I", "-",
                          "E&xit " + quit, "&Edit:", "&Deselect All ", "-", "&Filter " + find,
                          "&Help:", "&About ", "&License ", "&Language:", "English ", "Deutsch "}));
}

void tst_MainWindowList::filterActionSelectsFilterText()
{
    MainWindow window;
    auto *filter = window.findChild<QLineEdit *>("filterEdit");
    filter->setText("svchost");
    filter->deselect();
    window.findChild<QAction *>("filterAction")->trigger();
    QCOMPARE(window.focusWidget(), filter);
    QCOMPARE(filter->selectedText(), QStringLiteral("svchost"));
}

void tst_MainWindowList::filter_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("visible");

    QTest::newRow("empty") << QString()
                           << QStringList{"Spooler", "wuauserv", "Dnscache", "AcmeAgent", "BITS"};
    QTest::newRow("description only") << "Zebra" << QStringList();
    QTest::newRow("binary path") << "acme\\AGENT" << QStringList{"AcmeAgent"};
    QTest::newRow("capitals find small letters") << "WUAUSERV" << QStringList{"wuauserv"};
    QTest::newRow("small letters find capitals") << "dns client" << QStringList{"Dnscache"};
    QTest::newRow("account") << "networkservice" << QStringList{"Dnscache"};
    QTest::newRow("start type") << "manual" << QStringList{"wuauserv", "BITS"};
    QTest::newRow("taken literally") << "svchost.exe*" << QStringList();
    QTest::newRow("not trimmed") << " Spooler" << QStringList{"Spooler"};
}

void tst_MainWindowList::filter()
{
    QFETCH(QString, text);
    QFETCH(QStringList, visible);

    MainWindow window;
    window.findChild<QLineEdit *>("filterEdit")->setText(text);
    QCOMPARE(visibleRowNames(serviceTable(window)), visible);
    QCOMPARE(statusText(window),
             QStringLiteral("5 services loaded, %1 visible, 0 selected").arg(visible.size()));
}

void tst_MainWindowList::clearButtonShowsAllRows()
{
    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto *filter = window.findChild<QLineEdit *>("filterEdit");
    filter->setText("spool");
    QCOMPARE(visibleRowNames(serviceTable(window)).size(), 1);

    QToolButton *clear = nullptr;
    for (auto *button : filter->findChildren<QToolButton *>()) {
        if (button->isVisible())
            clear = button;
    }
    QVERIFY(clear);
    QTest::mouseClick(clear, Qt::LeftButton);
    QVERIFY(filter->text().isEmpty());
    QCOMPARE(visibleRowNames(serviceTable(window)).size(), 5);
    QCOMPARE(statusText(window), QStringLiteral("5 services loaded, 5 visible, 0 selected"));
}

void tst_MainWindowList::checkedRowsThroughFilterAndDeselectAll()
{
    MainWindow window;
    QTableView *table = serviceTable(window);
    checkServices(table, {"Spooler", "AcmeAgent"});
    QCOMPARE(statusText(window), QStringLiteral("5 services loaded, 5 visible, 2 selected"));

    // A checked row that the filter hides leaves the count but not the selection.
    window.findChild<QLineEdit *>("filterEdit")->setText("spool");
    QCOMPARE(statusText(window), QStringLiteral("5 services loaded, 1 visible, 1 selected"));
    QCOMPARE(serviceNames(window.selectedServices()), QStringList({"Spooler", "AcmeAgent"}));

    // "Deselect All" clears the hidden row too.
    QTest::mouseClick(window.findChild<QPushButton *>("deselectButton"), Qt::LeftButton);
    QCOMPARE(statusText(window), QStringLiteral("5 services loaded, 1 visible, 0 selected"));
    QVERIFY(window.selectedServices().isEmpty());
    window.findChild<QLineEdit *>("filterEdit")->clear();
    for (int row = 0; row < table->model()->rowCount(); ++row)
        QCOMPARE(checkState(table, row), Qt::Unchecked);

    // The menu entry does the same.
    checkServices(table, {"BITS"});
    QCOMPARE(statusText(window), QStringLiteral("5 services loaded, 5 visible, 1 selected"));
    window.findChild<QAction *>("deselectAllAction")->trigger();
    QCOMPARE(statusText(window), QStringLiteral("5 services loaded, 5 visible, 0 selected"));
}

void tst_MainWindowList::userClickChecksRow()
{
    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTableView *table = serviceTable(window);
    const QStringList before = visibleRowNames(table);

    // Space on the focused check cell toggles it as a click on the box does.
    table->setCurrentIndex(cell(table, 4, ServiceTable::CheckColumn));
    table->setFocus();
    QTest::keyClick(table->viewport(), Qt::Key_Space);
    QCOMPARE(checkState(table, 4), Qt::Checked);
    QCOMPARE(statusText(window), QStringLiteral("5 services loaded, 5 visible, 1 selected"));
    QCOMPARE(serviceNames(window.selectedServices()), QStringList{"BITS"});
    // Checking a row does not move it.
    QCOMPARE(visibleRowNames(table), before);
}

void tst_MainWindowList::selectedServicesKeepEnumerationOrderAfterSorting()
{
    MainWindow window;
    QTableView *table = serviceTable(window);
    checkServices(table, {"BITS", "wuauserv", "Spooler"});

    table->sortByColumn(ServiceTable::DisplayNameColumn, Qt::DescendingOrder);
    QCOMPARE(visibleRowNames(table),
             QStringList({"wuauserv", "Spooler", "Dnscache", "BITS", "AcmeAgent"}));
    QCOMPARE(serviceNames(window.selectedServices()), QStringList({"Spooler", "wuauserv", "BITS"}));
    QCOMPARE(window.selectedServices().at(1).displayName, QStringLiteral("Windows Update"));

    // Rows hidden by the filter stay hidden when the rows are sorted again.
    window.findChild<QLineEdit *>("filterEdit")->setText("svchost");
    table->sortByColumn(ServiceTable::NameColumn, Qt::AscendingOrder);
    QCOMPARE(visibleRowNames(table), QStringList({"BITS", "Dnscache", "wuauserv"}));
    QCOMPARE(statusText(window), QStringLiteral("5 services loaded, 3 visible, 2 selected"));
}

void tst_MainWindowList::headerClicksSortStably()
{
    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTableView *table = serviceTable(window);
    QHeaderView *header = table->horizontalHeader();
    const auto click = [header](int column) {
        const QPoint center(header->sectionViewportPosition(column)
                                + header->sectionSize(column) / 2,
                            header->height() / 2);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, center);
    };

    // A first click sorts ascending, the next one on the same header descending.
    click(ServiceTable::NameColumn);
    QCOMPARE(visibleRowNames(table),
             QStringList({"AcmeAgent", "BITS", "Dnscache", "Spooler", "wuauserv"}));
    // Equal start types keep the name order shown: sorting by two columns orders by both.
    click(ServiceTable::StartTypeColumn);
    QCOMPARE(header->sortIndicatorSection(), int(ServiceTable::StartTypeColumn));
    QCOMPARE(visibleRowNames(table),
             QStringList({"Dnscache", "Spooler", "AcmeAgent", "BITS", "wuauserv"}));
    click(ServiceTable::StartTypeColumn);
    QCOMPARE(header->sortIndicatorOrder(), Qt::DescendingOrder);
    QCOMPARE(visibleRowNames(table),
             QStringList({"BITS", "wuauserv", "AcmeAgent", "Dnscache", "Spooler"}));
    window.findChild<QLineEdit *>("filterEdit")->setText("svchost");
    QCOMPARE(visibleRowNames(table), QStringList({"BITS", "wuauserv", "Dnscache"}));
}

// A machine of four hundred services, more than the widths are measured on: the widest display
// name is not among the rows sampled, and its column is as wide as Qt's own fitting makes it.
void tst_MainWindowList::columnsFitTheirContents()
{
    QJsonArray services;
    for (int i = 0; i < 400; ++i) {
        const QString name = QStringLiteral("Svc%1").arg(i, 3, 10, QChar(u'0'));
        services.append(simulatedService(name, i == 51 ? QString(120, u'W') : name, "C:\\s.exe"));
    }
    QVERIFY(m_env->writeDatabase(services));
    MainWindow window;
    QTableView *table = serviceTable(window);
    QList<int> fitted;
    for (int column = 0; column < ServiceTable::ColumnCount; ++column)
        fitted.append(table->columnWidth(column));
    QCOMPARE(fitted.first(), ServiceTable::CheckColumnWidth);

    table->horizontalHeader()->setStretchLastSection(false);
    table->resizeColumnsToContents();
    for (int column = ServiceTable::NameColumn; column < ServiceTable::BinaryPathColumn; ++column)
        QCOMPARE(fitted.at(column), table->columnWidth(column));
}

void tst_MainWindowList::contextMenu_data()
{
    QTest::addColumn<int>("entry");
    QTest::addColumn<QString>("dialogCaption"); // the file dialog the entry asks with, if any
    QTest::newRow("deselect all") << 0 << QString();
    QTest::newRow("export .bat") << 2 << "Export Batch Script";
    QTest::newRow("export .json") << 3 << "Export JSON";
}

void tst_MainWindowList::contextMenu()
{
    QFETCH(int, entry);
    QFETCH(QString, dialogCaption);

    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTableView *table = serviceTable(window);
    checkServices(table, {"Dnscache"});

    QStringList texts;
    bool menuSeen = false;
    QTimer::singleShot(0, this, [&] {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        menuSeen = menu != nullptr;
        if (!menu)
            return;
        for (QAction *action : menu->actions())
            texts.append(action->isSeparator() ? QStringLiteral("-") : action->text());
        menu->setActiveAction(menu->actions().at(entry));
        QTest::keyClick(menu, Qt::Key_Return);
    });
    emit table->customContextMenuRequested(QPoint(5, 5));

    QVERIFY(menuSeen);
    QCOMPARE(texts, QStringList({"Deselect All", "-", "Export Selected as .bat...",
                                 "Export Selected as .json..."}));
    // The chosen entry ran its own command: an export asks for its file (cancelled here).
    if (dialogCaption.isEmpty()) {
        QVERIFY(FileDialog::requests().isEmpty());
        QVERIFY(window.selectedServices().isEmpty());
    } else {
        QCOMPARE(FileDialog::requests().size(), 1);
        QCOMPARE(FileDialog::requests().first().caption, dialogCaption);
        QCOMPARE(serviceNames(window.selectedServices()), QStringList{"Dnscache"});
    }
    QVERIFY(MessageBox::shown().isEmpty());
    QTRY_VERIFY(!QApplication::activePopupWidget());
}

void tst_MainWindowList::unreadableDatabaseGivesEmptyTable()
{
    QFile file(m_env->filePath("scm-database.json"));
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write("{ \"services\": [ {");
    file.close();

    MainWindow window;
    QCOMPARE(serviceTable(window)->model()->rowCount(), 0);
    QCOMPARE(statusText(window), QStringLiteral("0 services loaded, 0 visible, 0 selected"));
    window.findChild<QLineEdit *>("filterEdit")->setText("x");
    window.findChild<QAction *>("deselectAllAction")->trigger();
    QCOMPARE(statusText(window), QStringLiteral("0 services loaded, 0 visible, 0 selected"));
    QVERIFY(window.selectedServices().isEmpty());
}

QTEST_MAIN(tst_MainWindowList)
#include "tst_mainwindow_list.moc"
