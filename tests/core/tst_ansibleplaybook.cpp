// The playbook as Ansible reads it: parsed by PyYAML (its pure parser and libyaml, which Ansible
// uses), its options checked against the documentation of the win_service module that this
// machine's Ansible ships, and the whole playbook through `ansible-playbook --syntax-check`.
// Reports itself skipped (77) when Ansible or PyYAML is missing.

#include "AnsiblePlaybook.h"

#include "ServiceName.h"
#include "ServiceRecords.h"
#include "TestFiles.h"
#include "TestProcess.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>

namespace {

const QString Module = QStringLiteral("ansible.windows.win_service");

// Reads YAML from standard input with both of PyYAML's parsers and writes [pure, libyaml] as
// JSON; a value tagged !unsafe becomes {"!unsafe": text}.
const char *const yamlToJson = R"(
import json, sys, yaml
def unsafe(loader, node):
    return {"!unsafe": loader.construct_scalar(node)}
text = sys.stdin.buffer.read().decode("utf-8")
results = []
for base in [yaml.SafeLoader] + ([yaml.CSafeLoader] if yaml.__with_libyaml__ else []):
    class Loader(base):
        pass
    Loader.add_constructor("!unsafe", unsafe)
    results.append(yaml.load(text, Loader=Loader))
json.dump(results, sys.stdout, ensure_ascii=True)
)";

// What is missing on this machine for the checks, or nothing.
QStringList missingTools()
{
    QStringList missing;
    for (const char *tool : {"python3", "ansible-doc", "ansible-playbook"}) {
        if (QStandardPaths::findExecutable(QLatin1String(tool)).isEmpty())
            missing.append(QLatin1String(tool));
    }
    if (!missing.contains(QLatin1String("python3"))
        && runProcess(QStringLiteral("python3"), {"-c", "import yaml"}).exitCode != 0)
        missing.append(QStringLiteral("the Python module yaml (python3-yaml)"));
    return missing;
}

// The playbook as the parsers read it; fails the test when they disagree or refuse it.
QJsonValue parse(const QByteArray &yaml)
{
    const ProcessRun run = runProcess(QStringLiteral("python3"), {"-c", yamlToJson}, yaml);
    if (run.exitCode != 0) {
        qWarning("%s\n%s", run.err.constData(), yaml.constData());
        return QJsonValue::Undefined;
    }
    const QJsonArray results = QJsonDocument::fromJson(run.out).array();
    for (const QJsonValue &result : results) {
        if (result != results.first())
            return QJsonValue::Undefined;
    }
    return results.first();
}

// The module options of every task, in order.
QList<QJsonObject> moduleOptions(const QJsonValue &playbook)
{
    QList<QJsonObject> options;
    const QJsonArray tasks = playbook.toArray().first().toObject().value("tasks").toArray();
    for (const QJsonValue &task : tasks)
        options.append(task.toObject().value(Module).toObject());
    return options;
}

// How a text option reads back: as it stands, or tagged when Ansible would template it.
QJsonValue readBack(const QString &text)
{
    if (text.contains("{{") || text.contains("{%") || text.contains("{#"))
        return QJsonObject{{"!unsafe", text}};
    return text;
}

ServiceInfo plainRecord(const QString &name)
{
    ServiceInfo s = importedService(name, "Plain", "Manual", "LocalSystem", "C:\\plain.exe");
    s.sidType = QStringLiteral("None");
    return s;
}

QString withNul()
{
    return QStringLiteral("nul") + QChar(0) + QStringLiteral("inside");
}

QStringList hostileTexts()
{
    return {"yes",
            "No",
            "on",
            "OFF",
            "true",
            "null",
            "~",
            "",
            "0123",
            "0x1F",
            "1e3",
            "1_000",
            ".inf",
            "-.NaN",
            "12:30:45",
            "2001-12-14",
            "<<",
            "=",
            "  leading and trailing blanks  ",
            "\"double\" and 'single' quotes",
            "C:\\Program Files\\App\\",
            "\\\\server\\share\\\"quoted\\\"",
            "# not a comment",
            "key: value",
            "- item",
            "? key",
            "&anchor *alias !tag %YAML @at `tick`",
            "[flow, {map: 1}], | > ,",
            "---",
            "...",
            "Gr\u00f6\u00dfe \u6771\u4eac \U0001F680",
            "line one\nline two",
            "crlf\r\nend",
            "cr\rend",
            "tab\there",
            "separators \u2028 \u2029 \u0085 end",
            withNul(),
            "controls \a\x1b\x7f\u009b end",
            "\ufeffbyte order mark",
            "non-characters \ufffe\uffff",
            "{{ lookup('pipe', 'id') }}",
            "{% if true %}x{% endif %}",
            "{# hidden #}",
            "{ {not a template} }",
            "%{{x}}%"};
}

// Every text field of the record holds the text; the name only where Windows accepts it.
ServiceInfo hostileRecord(const QString &text, int row)
{
    ServiceInfo s = serviceWithEveryField(QStringLiteral("Hostile%1").arg(row));
    if (ServiceName::problem(text) == ServiceName::Problem::None)
        s.serviceName = text;
    s.displayName = text;
    s.description = text;
    s.binaryPath = text;
    s.accountName = text;
    s.dependencies = QStringList{text, "RPCSS"};
    s.loadOrderGroup = text;
    s.failureCommand = text;
    s.failureCommandParams = text;
    s.failureRebootMessage = text;
    s.requiredPrivileges = QStringList{text};
    return s;
}

QJsonArray readBackList(const QStringList &entries)
{
    QJsonArray array;
    for (const QString &entry : entries)
        array.append(readBack(entry));
    return array;
}

} // namespace

class tst_AnsiblePlaybook final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void hostileTextSurvives_data();
    void hostileTextSurvives();
    void fieldMapping_data();
    void fieldMapping();
    void passwordsComeFromVariables();
    void unusableNamesAreLeftOut();
    void noUsableNameIsRefused();
    void halfSurrogatePairIsRefused();
    void emptyListGivesAPlayWithoutTasks();
    void moduleAcceptsEveryOptionAndValue();

private:
    QJsonObject m_moduleOptions; // option name -> documentation
    QJsonArray m_hostileTasks;
};

void tst_AnsiblePlaybook::initTestCase()
{
    const ProcessRun doc = runProcess(QStringLiteral("ansible-doc"), {"--json", Module});
    QVERIFY2(doc.exitCode == 0, doc.err.constData());
    m_moduleOptions = QJsonDocument::fromJson(doc.out)
                          .object()
                          .value(Module)
                          .toObject()
                          .value("doc")
                          .toObject()
                          .value("options")
                          .toObject();
    QVERIFY(m_moduleOptions.contains("start_mode"));
}

void tst_AnsiblePlaybook::hostileTextSurvives_data()
{
    QTest::addColumn<int>("row");
    const QStringList texts = hostileTexts();
    for (int i = 0; i < texts.size(); ++i)
        QTest::addRow("%d", i) << i;
}

void tst_AnsiblePlaybook::hostileTextSurvives()
{
    QFETCH(int, row);
    const QString text = hostileTexts().at(row);
    const ServiceInfo record = hostileRecord(text, row);

    // One playbook of all the rows, parsed once.
    if (m_hostileTasks.isEmpty()) {
        QList<ServiceInfo> records;
        const QStringList texts = hostileTexts();
        for (int i = 0; i < texts.size(); ++i)
            records.append(hostileRecord(texts.at(i), i));
        const AnsiblePlaybook::Result playbook = AnsiblePlaybook::write(records);
        QVERIFY2(playbook.ok(), qPrintable(playbook.error));
        QVERIFY(playbook.leftOut.isEmpty());
        const QJsonValue parsed = parse(playbook.text);
        QVERIFY2(parsed.isArray(), playbook.text.constData());
        m_hostileTasks = parsed.toArray().first().toObject().value("tasks").toArray();
        QCOMPARE(m_hostileTasks.size(), texts.size());
    }
    const QJsonObject task = m_hostileTasks.at(row).toObject();
    QCOMPARE(task.value("name"), readBack(record.serviceName));

    const QJsonObject options = task.value(Module).toObject();
    QCOMPARE(options.value("name"), readBack(record.serviceName));
    QCOMPARE(options.value("description"), readBack(text));
    QCOMPARE(options.value("load_order_group"), readBack(text));
    QCOMPARE(options.value("failure_command"),
             readBack(text.isEmpty() ? text : text + u' ' + text));
    QCOMPARE(options.value("failure_reboot_msg"), readBack(text));
    QCOMPARE(options.value("dependencies"), readBackList(record.dependencies));
    QCOMPARE(options.value("required_privileges"), readBackList(record.requiredPrivileges));
    // Empty texts mean "not given" for these three, which are then left out.
    const QJsonValue absent(QJsonValue::Undefined);
    QCOMPARE(options.value("display_name"), text.isEmpty() ? absent : readBack(text));
    QCOMPARE(options.value("path"), text.isEmpty() ? absent : readBack(text));
    QCOMPARE(options.value("username"), text.isEmpty() ? absent : readBack(text));
}

void tst_AnsiblePlaybook::fieldMapping_data()
{
    QTest::addColumn<ServiceInfo>("record");
    QTest::addColumn<QJsonObject>("expected"); // null: the option is absent
    QTest::addColumn<QStringList>("comments"); // lines the task holds besides its options

    const ServiceInfo plain = plainRecord("Plain");
    const QJsonArray noActions;

    QTest::newRow("every field")
        << serviceWithEveryField("Full")
        << QJsonObject{{"name", "Full"},
                       {"display_name", "Full Service"},
                       {"start_mode", "delayed"},
                       {"service_type", "win32_own_process"},
                       {"error_control", "severe"},
                       {"username", "NT AUTHORITY\\LocalService"},
                       {"password", QJsonValue()},
                       {"dependencies", QJsonArray{"RPCSS", "+TDI"}},
                       {"dependency_action", "set"},
                       {"load_order_group", "NetworkProvider"},
                       {"failure_actions",
                        QJsonArray{QJsonObject{{"type", "restart"}, {"delay_ms", 60000}},
                                   QJsonObject{{"type", "run_command"}, {"delay_ms", 1000}},
                                   QJsonObject{{"type", "reboot"}, {"delay_ms", 5000}}}},
                       {"failure_reset_period_sec", 172800},
                       {"failure_command", "C:\\tools\\notify.exe --to admin"},
                       {"failure_reboot_msg", "Going down"},
                       {"sid_info", "restricted"},
                       {"required_privileges",
                        QJsonArray{"SeChangeNotifyPrivilege", "SeImpersonatePrivilege"}},
                       {"pre_shutdown_timeout_ms", 180000}}
        << QStringList();

    ServiceInfo s = plain;
    QTest::newRow("plain") << s
                           << QJsonObject{{"start_mode", "manual"},
                                          {"description", ""},
                                          {"failure_actions", noActions},
                                          {"failure_reset_period_sec", QJsonValue()},
                                          {"failure_command", ""},
                                          {"dependencies", noActions},
                                          {"required_privileges", noActions},
                                          {"sid_info", "none"},
                                          {"pre_shutdown_timeout_ms", QJsonValue()}}
                           << QStringList();

    for (const char *word : {"Auto", "Disabled"}) {
        s = plain;
        s.startType = QLatin1String(word);
        QTest::addRow("start %s", word)
            << s << QJsonObject{{"start_mode", QString(QLatin1String(word)).toLower()}}
            << QStringList();
    }
    for (const char *word : {"Boot", "System", "Unknown", "auto"}) {
        s = plain;
        s.startType = QLatin1String(word);
        QTest::addRow("start %s", word)
            << s << QJsonObject{{"start_mode", QJsonValue()}}
            << QStringList{QStringLiteral("# start_mode left out: %1 cannot set the start type "
                                          "\"%2\"")
                               .arg(Module, QLatin1String(word))};
    }
    s = plain;
    s.startType.clear();
    s.serviceType.clear();
    s.errorControl.clear();
    s.sidType.clear();
    QTest::newRow("words missing")
        << s
        << QJsonObject{{"start_mode", QJsonValue()},
                       {"service_type", QJsonValue()},
                       {"error_control", QJsonValue()},
                       {"sid_info", QJsonValue()}}
        << QStringList{"# start_mode left out: the configuration has no start type",
                       "# service_type left out: the configuration has no service type",
                       "# error_control left out: the configuration has no error control",
                       "# sid_info left out: the configuration has no SID type"};

    s = plain;
    s.serviceType = QStringLiteral("Share");
    s.errorControl = QStringLiteral("Critical");
    s.sidType = QStringLiteral("Unrestricted");
    QTest::newRow("share, critical, unrestricted")
        << s
        << QJsonObject{{"service_type", "win32_share_process"},
                       {"error_control", "critical"},
                       {"sid_info", "unrestricted"}}
        << QStringList();

    s = plain;
    s.serviceType = QStringLiteral("Kernel");
    s.errorControl = QStringLiteral("Unknown");
    s.sidType = QStringLiteral("Weird \"#\"\nword");
    QTest::newRow("words the module cannot set")
        << s
        << QJsonObject{{"service_type", QJsonValue()},
                       {"error_control", QJsonValue()},
                       {"sid_info", QJsonValue()}}
        << QStringList{QStringLiteral("# service_type left out: %1 cannot set the service type "
                                      "\"Kernel\"")
                           .arg(Module),
                       QStringLiteral("# error_control left out: %1 cannot set the error "
                                      "control \"Unknown\"")
                           .arg(Module),
                       QStringLiteral("# sid_info left out: %1 cannot set the SID type "
                                      "\"Weird \\\"#\\\"\\nword\"")
                           .arg(Module)};

    s = plain;
    s.firstFailure = {QString(), 7};
    s.secondFailure = {QStringLiteral("restart"), -1};
    s.subsequentFailure = {QStringLiteral("none"), 0};
    s.failureResetDays = 50000;
    QTest::newRow("unset action, delay beyond int, long reset")
        << s
        << QJsonObject{{"failure_actions",
                        QJsonArray{QJsonObject{{"type", "none"}, {"delay_ms", 7}},
                                   QJsonObject{{"type", "restart"}, {"delay_ms", 4294967295.0}},
                                   QJsonObject{{"type", "none"}, {"delay_ms", 0}}}},
                       {"failure_reset_period_sec", 4294967295.0}}
        << QStringList();

    s = plain;
    s.firstFailure = {QStringLiteral("none"), 5000};
    s.failureResetDays = 3;
    s.failureCommand = QStringLiteral("C:\\fix.cmd");
    QTest::newRow("no action set") << s
                                   << QJsonObject{{"failure_actions", noActions},
                                                  {"failure_reset_period_sec", QJsonValue()},
                                                  {"failure_command", "C:\\fix.cmd"}}
                                   << QStringList();

    s = plain;
    s.firstFailure = {QStringLiteral("restart"), 1000};
    s.secondFailure = {QStringLiteral("Restart"), 1000};
    QTest::newRow("action the module does not know")
        << s
        << QJsonObject{{"failure_actions", QJsonValue()},
                       {"failure_reset_period_sec", QJsonValue()}}
        << QStringList{QStringLiteral("# failure_actions left out: %1 has no recovery action "
                                      "\"Restart\"")
                           .arg(Module)};

    s = plain;
    s.failureCommandParams = QStringLiteral("--quiet");
    s.preShutdownTimeout = -5;
    s.launchProtected = QStringLiteral("Antimalware");
    QTest::newRow("parameters without command, launch protection")
        << s << QJsonObject{{"failure_command", ""}, {"pre_shutdown_timeout_ms", QJsonValue()}}
        << QStringList{"# the failure command parameters \"--quiet\" are left out: there is no "
                       "failure command",
                       QStringLiteral("# launch protection \"Antimalware\" left out: %1 cannot "
                                      "set it")
                           .arg(Module)};

    s = plain;
    s.displayName.clear();
    s.binaryPath.clear();
    s.accountName.clear();
    QTest::newRow("no display name, path or account")
        << s
        << QJsonObject{{"display_name", QJsonValue()},
                       {"path", QJsonValue()},
                       {"username", QJsonValue()},
                       {"password", QJsonValue()}}
        << QStringList{"# path left out: the configuration has no binary path"};
}

void tst_AnsiblePlaybook::fieldMapping()
{
    QFETCH(ServiceInfo, record);
    QFETCH(QJsonObject, expected);
    QFETCH(QStringList, comments);

    const AnsiblePlaybook::Result playbook = AnsiblePlaybook::write({record});
    QVERIFY(playbook.ok());
    const QList<QJsonObject> tasks = moduleOptions(parse(playbook.text));
    QCOMPARE(tasks.size(), 1);
    for (auto it = expected.begin(); it != expected.end(); ++it) {
        const QJsonValue actual = tasks.first().value(it.key());
        QVERIFY2(actual == (it.value().isNull() ? QJsonValue(QJsonValue::Undefined) : *it),
                 qPrintable(it.key() + ": " + QJsonDocument(QJsonArray{actual}).toJson()));
    }

    // The comments of the task: every line from the task on that begins with "#".
    const QString text = QString::fromUtf8(playbook.text);
    QStringList taskComments;
    const QStringList lines = text.mid(text.indexOf("    - name:")).split('\n');
    for (const QString &line : lines) {
        if (line.trimmed().startsWith('#'))
            taskComments.append(line.trimmed());
    }
    QCOMPARE(taskComments, comments);
}

void tst_AnsiblePlaybook::passwordsComeFromVariables()
{
    QList<ServiceInfo> services;
    const QStringList accounts{"CONTOSO\\svc-sql", "contoso\\SVC-SQL",    "CONTOSO\\svc_sql",
                               ".\\LocalSystem",   "NT SERVICE\\MSSQL$A", "CONTOSO\\gmsa$",
                               "line\nbreak"};
    for (int i = 0; i < accounts.size(); ++i) {
        ServiceInfo s = plainRecord(QStringLiteral("S%1").arg(i));
        s.accountName = accounts.at(i);
        services.append(s);
    }
    const AnsiblePlaybook::Result playbook = AnsiblePlaybook::write(services);
    QVERIFY(playbook.ok());

    const QList<QJsonObject> tasks = moduleOptions(parse(playbook.text));
    QCOMPARE(tasks.size(), accounts.size());
    const QStringList variables{"ledgerwell_password_contoso_svc_sql",
                                "ledgerwell_password_contoso_svc_sql",
                                "ledgerwell_password_contoso_svc_sql_2",
                                QString(),
                                QString(),
                                QString(),
                                "ledgerwell_password_line_break"};
    for (int i = 0; i < tasks.size(); ++i) {
        QCOMPARE(tasks.at(i).value("username").toString(), accounts.at(i));
        if (variables.at(i).isEmpty()) {
            QVERIFY(!tasks.at(i).contains("password"));
            QVERIFY(!tasks.at(i).contains("update_password"));
        } else {
            QCOMPARE(tasks.at(i).value("password").toString(), "{{ " + variables.at(i) + " }}");
            QCOMPARE(tasks.at(i).value("update_password").toString(), QStringLiteral("on_create"));
        }
    }

    // The header names each variable once, with its account written as a quoted scalar.
    const QString text = QString::fromUtf8(playbook.text);
    const QString header = text.left(text.indexOf("\n- name:") + 1);
    QVERIFY2(header.contains("#   ledgerwell_password_contoso_svc_sql: the password of "
                             "\"CONTOSO\\\\svc-sql\"\n"),
             qPrintable(header));
    QVERIFY(header.contains("#   ledgerwell_password_contoso_svc_sql_2: the password of "
                            "\"CONTOSO\\\\svc_sql\"\n"));
    QVERIFY(header.contains("#   ledgerwell_password_line_break: the password of "
                            "\"line\\nbreak\"\n"));
    QCOMPARE(header.count("ledgerwell_password_"), 3);
    for (const QString &line : header.split('\n'))
        QVERIFY2(line.isEmpty() || line.startsWith('#'), qPrintable(line));

    // No password at all: no variables and no word of them.
    const AnsiblePlaybook::Result none = AnsiblePlaybook::write({plainRecord("A")});
    QVERIFY(!none.text.contains("password"));
}

void tst_AnsiblePlaybook::unusableNamesAreLeftOut()
{
    const AnsiblePlaybook::Result playbook = AnsiblePlaybook::write(
        {plainRecord(QString()), plainRecord("Good"), plainRecord("a/b"), plainRecord(withNul()),
         plainRecord(QString(ServiceName::MaximumLength + 1, u'x'))});
    QVERIFY(playbook.ok());
    QCOMPARE(playbook.leftOut,
             QStringList({"record 1 (\"Plain\") has no service name",
                          "record 3 (\"Plain\") has a service name with \"/\" or \"\\\"",
                          "record 4 (\"Plain\") has a service name with a NUL character",
                          "record 5 (\"Plain\") has a service name longer than 256 characters"}));
    QCOMPARE(playbook.serviceCount, 1);
    const QList<QJsonObject> tasks = moduleOptions(parse(playbook.text));
    QCOMPARE(tasks.size(), 1);
    QCOMPARE(tasks.first().value("name").toString(), QStringLiteral("Good"));
}

void tst_AnsiblePlaybook::noUsableNameIsRefused()
{
    const AnsiblePlaybook::Result playbook =
        AnsiblePlaybook::write({plainRecord(QString()), plainRecord("x/y")}, {4, 9});
    QVERIFY(!playbook.ok());
    QVERIFY(playbook.text.isEmpty());
    QVERIFY(playbook.leftOut.isEmpty());
    QCOMPARE(playbook.error,
             QStringLiteral("Cannot write the Ansible playbook: none of the records has a service "
                            "name that Windows accepts.\n"
                            "record 4 (\"Plain\") has no service name\n"
                            "record 9 (\"Plain\") has a service name with \"/\" or \"\\\""));
}

void tst_AnsiblePlaybook::halfSurrogatePairIsRefused()
{
    ServiceInfo s = plainRecord("Broken");
    s.description = QStringLiteral("before ") + QChar(0xd800) + QStringLiteral(" after");
    const AnsiblePlaybook::Result playbook =
        AnsiblePlaybook::write({plainRecord("Fine"), s, plainRecord("Later")});
    QVERIFY(!playbook.ok());
    QVERIFY(playbook.text.isEmpty());
    QCOMPARE(playbook.error,
             QStringLiteral("Cannot write the Ansible playbook: the value \"description\" of "
                            "service \"Broken\" holds half of a UTF-16 surrogate pair, which YAML "
                            "cannot hold."));

    // A whole pair is one character and is written.
    s.description = QStringLiteral("rocket \U0001F680");
    QVERIFY(AnsiblePlaybook::write({s}).ok());
}

void tst_AnsiblePlaybook::emptyListGivesAPlayWithoutTasks()
{
    const QJsonValue parsed = parse(AnsiblePlaybook::write({}).text);
    QCOMPARE(parsed.toArray().size(), 1);
    const QJsonObject play = parsed.toArray().first().toObject();
    QCOMPARE(play.value("hosts").toString(), QStringLiteral("all"));
    QCOMPARE(play.value("gather_facts"), QJsonValue(false));
    QCOMPARE(play.value("tasks"), QJsonValue(QJsonArray()));
}

void tst_AnsiblePlaybook::moduleAcceptsEveryOptionAndValue()
{
    // Records that reach every option and every branch of the mapping, and the hostile ones.
    QList<ServiceInfo> services{serviceWithEveryField("Full"), plainRecord("Plain")};
    ServiceInfo s = plainRecord("Odd");
    s.startType = QStringLiteral("Boot");
    s.serviceType = QStringLiteral("FileSystem");
    s.firstFailure = {QStringLiteral("reboot"), 0};
    s.accountName = QStringLiteral(".\\operator");
    services.append(s);
    const QStringList texts = hostileTexts();
    for (int i = 0; i < texts.size(); ++i)
        services.append(hostileRecord(texts.at(i), i));

    const AnsiblePlaybook::Result playbook = AnsiblePlaybook::write(services);
    QVERIFY(playbook.ok());
    const QJsonValue parsed = parse(playbook.text);
    QCOMPARE(parsed.toArray().size(), 1);
    const QJsonObject play = parsed.toArray().first().toObject();
    QCOMPARE(QStringList(play.keys()), QStringList({"gather_facts", "hosts", "name", "tasks"}));
    QCOMPARE(play.value("hosts").toString(), QStringLiteral("all"));
    QCOMPARE(play.value("gather_facts"), QJsonValue(false));

    const QJsonArray tasks = play.value("tasks").toArray();
    QCOMPARE(tasks.size(), services.size());
    for (const QJsonValue &taskValue : tasks) {
        const QJsonObject task = taskValue.toObject();
        QCOMPARE(QStringList(task.keys()), QStringList({Module, "name"}));
        const QJsonObject options = task.value(Module).toObject();
        for (auto it = options.begin(); it != options.end(); ++it) {
            const QString where = task.value("name").toVariant().toString() + ": " + it.key();
            QVERIFY2(m_moduleOptions.contains(it.key()), qPrintable(where));
            const QJsonObject doc = m_moduleOptions.value(it.key()).toObject();
            const QString type = doc.value("type").toString();
            const QJsonValue value = *it;
            if (type == u"str") {
                QVERIFY2(value.isString() || value.toObject().value("!unsafe").isString(),
                         qPrintable(where));
            } else if (type == u"raw") {
                QVERIFY2(value.isDouble(), qPrintable(where));
            } else if (type == u"list") {
                QVERIFY2(value.isArray(), qPrintable(where));
            } else {
                QFAIL(qPrintable(where + " has the type " + type));
            }
            if (doc.contains("choices"))
                QVERIFY2(doc.value("choices").toArray().contains(value), qPrintable(where));
            if (it.key() != u"failure_actions")
                continue;
            const QJsonObject suboptions = doc.value("suboptions").toObject();
            for (const QJsonValue &action : value.toArray()) {
                const QJsonObject object = action.toObject();
                QCOMPARE(QStringList(object.keys()), QStringList({"delay_ms", "type"}));
                QVERIFY(suboptions.contains("delay_ms") && suboptions.contains("type"));
                QVERIFY(object.value("delay_ms").isDouble());
                QVERIFY2(suboptions.value("type").toObject().value("choices").toArray().contains(
                             object.value("type")),
                         qPrintable(where));
            }
        }
    }

    QTemporaryDir dir;
    const QString path = dir.filePath("services.yml");
    QVERIFY(writeFile(path, playbook.text));
    const ProcessRun check = runProcess(QStringLiteral("ansible-playbook"),
                                        {"--syntax-check", "-i", "localhost,", path});
    QVERIFY2(check.exitCode == 0, (check.out + check.err).constData());
}

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList missing = missingTools();
    if (!missing.isEmpty()) {
        std::printf("SKIPPED: the playbook checks need %s, which this machine lacks; "
                    "scripts/install-deps.sh installs them.\n",
                    qPrintable(missing.join(QStringLiteral(", "))));
        return 77;
    }
    tst_AnsiblePlaybook test;
    const int failures = QTest::qExec(&test, argc, argv);
    // A run that fails exactly 77 checks must not read as skipped.
    return failures == 77 ? 1 : failures;
}

#include "tst_ansibleplaybook.moc"
