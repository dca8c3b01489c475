#include "AnsiblePlaybook.h"

#include "ServiceAccount.h"
#include "ServiceCommands.h"
#include "ServiceName.h"
#include "YamlText.h"

#include <QCoreApplication>
#include <QHash>
#include <QSet>
#include <QStringList>

#include <optional>

namespace {

const QString ModuleName = QStringLiteral("ansible.windows.win_service");

// Ansible renders every string that holds one of Jinja's opening delimiters as a template; a
// value tagged !unsafe is handed to the module as it stands.
bool looksLikeTemplate(const QString &text)
{
    return text.contains(QLatin1String("{{")) || text.contains(QLatin1String("{%"))
           || text.contains(QLatin1String("{#"));
}

// One word of the record and the module's choice for it.
struct Choice
{
    const char *word;
    const char *choice;
};

std::optional<QString> choiceFor(const QString &word, std::initializer_list<Choice> table)
{
    for (const Choice &entry : table) {
        if (word == QLatin1String(entry.word))
            return QLatin1String(entry.choice);
    }
    return std::nullopt;
}

std::optional<QString> startMode(const QString &startType)
{
    return choiceFor(startType, {{"Auto", "auto"},
                                 {"DelayedAuto", "delayed"},
                                 {"Manual", "manual"},
                                 {"Disabled", "disabled"}});
}

// The module manages Win32 services only; it has no choice for drivers.
std::optional<QString> serviceType(const QString &type)
{
    return choiceFor(type, {{"Own", "win32_own_process"}, {"Share", "win32_share_process"}});
}

std::optional<QString> errorControl(const QString &errorControl)
{
    return choiceFor(errorControl, {{"Ignore", "ignore"},
                                    {"Normal", "normal"},
                                    {"Severe", "severe"},
                                    {"Critical", "critical"}});
}

std::optional<QString> sidInfo(const QString &sidType)
{
    return choiceFor(
        sidType,
        {{"None", "none"}, {"Unrestricted", "unrestricted"}, {"Restricted", "restricted"}});
}

// An unset action (empty type) does nothing, as "none" does.
std::optional<QString> failureActionType(const QString &type)
{
    return choiceFor(type, {{"", "none"},
                            {"none", "none"},
                            {"restart", "restart"},
                            {"reboot", "reboot"},
                            {"run_command", "run_command"}});
}

// A variable name from the account: letters and digits in lower case, everything else "_".
QString variableStem(const QString &account)
{
    QString stem;
    for (const QChar c : account.toLower()) {
        const bool plain = (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9');
        stem += plain ? c : u'_';
    }
    return stem;
}

// The password variables, one per account (accounts compared without regard to case), in the
// order the accounts first appear.
class PasswordVariables
{
public:
    void add(const QString &account)
    {
        const QString key = account.toCaseFolded();
        if (m_byAccount.contains(key))
            return;
        const QString stem = QStringLiteral("ledgerwell_password_") + variableStem(account);
        QString name = stem;
        for (int n = 2; m_taken.contains(name); ++n)
            name = stem + u'_' + QString::number(n);
        m_taken.insert(name);
        m_byAccount.insert(key, name);
        m_accounts.append(account);
    }
    QString nameFor(const QString &account) const
    {
        return m_byAccount.value(account.toCaseFolded());
    }
    const QStringList &accounts() const { return m_accounts; }

private:
    QHash<QString, QString> m_byAccount;
    QSet<QString> m_taken;
    QStringList m_accounts;
};

// Builds the playbook line by line. The first value that YAML cannot hold is kept as the error.
class PlaybookWriter
{
public:
    explicit PlaybookWriter(const PasswordVariables &passwords)
        : m_passwords(passwords)
    {
    }

    void line(int indent, const QString &text)
    {
        m_text += QString(indent, u' ');
        m_text += text;
        m_text += u'\n';
    }
    // Comment texts are built from quoted values, so no line break can end the comment early.
    void comment(int indent, const QString &text) { line(indent, QStringLiteral("# ") + text); }

    QString value(const QString &text, const char *field)
    {
        bool ok = true;
        const QString scalar = YamlText::quoted(text, &ok);
        if (!ok && m_error.isEmpty()) {
            m_error = QCoreApplication::translate(
                          "MainWindow",
                          "Cannot write the Ansible playbook: the value \"%1\" of service %2 "
                          "holds half of a UTF-16 surrogate pair, which YAML cannot hold.")
                          .arg(QLatin1String(field), YamlText::quoted(m_service->serviceName));
        }
        return looksLikeTemplate(text) ? QStringLiteral("!unsafe ") + scalar : scalar;
    }
    void text(int indent, const char *key, const QString &text, const char *field)
    {
        line(indent, QLatin1String(key) + QStringLiteral(": ") + value(text, field));
    }
    void word(int indent, const char *key, const QString &word)
    {
        line(indent, QLatin1String(key) + QStringLiteral(": ") + YamlText::quoted(word));
    }
    void number(int indent, const char *key, const QString &digits)
    {
        line(indent, QLatin1String(key) + QStringLiteral(": ") + digits);
    }
    void list(int indent, const char *key, const QStringList &entries, const char *field)
    {
        if (entries.isEmpty()) {
            line(indent, QLatin1String(key) + QStringLiteral(": []"));
            return;
        }
        line(indent, QLatin1String(key) + u':');
        for (const QString &entry : entries)
            line(indent + 2, QStringLiteral("- ") + value(entry, field));
    }

    void header(bool empty);
    void task(const ServiceInfo &service);

    QString error() const { return m_error; }
    QByteArray utf8() const { return m_text.toUtf8(); }

private:
    void failureActions(int indent, const ServiceInfo &service);
    void leftOut(int indent, const char *option, const QString &why)
    {
        comment(indent, QLatin1String(option) + QStringLiteral(" left out: ") + why);
    }
    // The module's choice for the record's word, or a comment on why there is none.
    void choice(int indent, const char *option, const std::optional<QString> &choice,
                const QString &recordWord, const QString &what)
    {
        if (choice)
            word(indent, option, *choice);
        else if (recordWord.isEmpty())
            leftOut(indent, option, QStringLiteral("the configuration has no ") + what);
        else
            leftOut(indent, option,
                    QStringLiteral("%1 cannot set the %2 %3")
                        .arg(ModuleName, what, YamlText::quoted(recordWord)));
    }

    const PasswordVariables &m_passwords;
    const ServiceInfo *m_service = nullptr;
    QString m_text;
    QString m_error;
};

void PlaybookWriter::header(bool empty)
{
    comment(0, QStringLiteral("Written by Quorvantel Ledgerwell: one %1 task per service, which "
                              "sets")
                   .arg(ModuleName));
    comment(0, QStringLiteral("the service to the exported configuration. Apply it to the hosts of "
                              "an inventory with:"));
    comment(0, QStringLiteral("  ansible-playbook -i INVENTORY PLAYBOOK.yml"));
    if (!m_passwords.accounts().isEmpty()) {
        comment(0, QStringLiteral("No password is written here. Give these variables, for "
                                  "example from an Ansible Vault file:"));
        for (const QString &account : m_passwords.accounts()) {
            comment(0, QStringLiteral("  %1: the password of %2")
                           .arg(m_passwords.nameFor(account), YamlText::quoted(account)));
        }
    }
    line(0, QStringLiteral("- name: ")
                + YamlText::quoted(QStringLiteral("Services exported by "
                                                  "Quorvantel Ledgerwell")));
    line(2, QStringLiteral("hosts: all"));
    line(2, QStringLiteral("gather_facts: false"));
    line(2, empty ? QStringLiteral("tasks: []") : QStringLiteral("tasks:"));
}

void PlaybookWriter::task(const ServiceInfo &s)
{
    m_service = &s;
    line(4, QStringLiteral("- name: ") + value(s.serviceName, "serviceName"));
    line(6, ModuleName + u':');
    const int in = 8;
    text(in, "name", s.serviceName, "serviceName");
    if (!s.displayName.isEmpty())
        text(in, "display_name", s.displayName, "displayName");
    text(in, "description", s.description, "description");
    if (!s.binaryPath.isEmpty())
        text(in, "path", s.binaryPath, "binaryPath");
    else
        leftOut(in, "path", QStringLiteral("the configuration has no binary path"));

    choice(in, "start_mode", startMode(s.startType), s.startType, QStringLiteral("start type"));
    choice(in, "service_type", serviceType(s.serviceType), s.serviceType,
           QStringLiteral("service type"));
    choice(in, "error_control", errorControl(s.errorControl), s.errorControl,
           QStringLiteral("error control"));

    if (!s.accountName.isEmpty()) {
        text(in, "username", s.accountName, "accountName");
        const QString variable = m_passwords.nameFor(s.accountName);
        if (!variable.isEmpty()) {
            line(in, QStringLiteral("password: \"{{ %1 }}\"").arg(variable));
            // Set when the task creates the service or changes its account; a service already
            // running under this account keeps the password it has.
            word(in, "update_password", QStringLiteral("on_create"));
        }
    }

    list(in, "dependencies", s.dependencies, "dependencies");
    word(in, "dependency_action", QStringLiteral("set"));
    text(in, "load_order_group", s.loadOrderGroup, "loadOrderGroup");

    failureActions(in, s);
    QString failureCommand = s.failureCommand;
    if (!s.failureCommand.isEmpty() && !s.failureCommandParams.isEmpty())
        failureCommand += u' ' + s.failureCommandParams;
    if (s.failureCommand.isEmpty() && !s.failureCommandParams.isEmpty()) {
        comment(in, QStringLiteral("the failure command parameters %1 are left out: there is "
                                   "no failure command")
                        .arg(YamlText::quoted(s.failureCommandParams)));
    }
    text(in, "failure_command", failureCommand, "failureCommand");
    text(in, "failure_reboot_msg", s.failureRebootMessage, "failureRebootMessage");

    choice(in, "sid_info", sidInfo(s.sidType), s.sidType, QStringLiteral("SID type"));
    list(in, "required_privileges", s.requiredPrivileges, "requiredPrivileges");
    // 0 stands for a time-out that could not be read as well; the installation leaves it too.
    if (s.preShutdownTimeout > 0)
        number(in, "pre_shutdown_timeout_ms", QString::number(s.preShutdownTimeout));
    if (!s.launchProtected.isEmpty() && s.launchProtected != u"None") {
        comment(in, QStringLiteral("launch protection %1 left out: %2 cannot set it")
                        .arg(YamlText::quoted(s.launchProtected), ModuleName));
    }
}

void PlaybookWriter::failureActions(int indent, const ServiceInfo &s)
{
    const FailureAction *const actions[] = {&s.firstFailure, &s.secondFailure,
                                            &s.subsequentFailure};
    QStringList types;
    for (const FailureAction *action : actions) {
        const auto type = failureActionType(action->type);
        if (!type) {
            leftOut(indent, "failure_actions",
                    QStringLiteral("%1 has no recovery action %2")
                        .arg(ModuleName, YamlText::quoted(action->type)));
            return;
        }
        types.append(*type);
    }
    // No action set: the module removes every action, as a service created by the batch script
    // has none. The reset period cannot be set without actions.
    if (!ServiceCommands::isFailureActionSet(s.firstFailure)
        && !ServiceCommands::isFailureActionSet(s.secondFailure)
        && !ServiceCommands::isFailureActionSet(s.subsequentFailure)) {
        line(indent, QStringLiteral("failure_actions: []"));
        return;
    }
    line(indent, QStringLiteral("failure_actions:"));
    for (int i = 0; i < 3; ++i) {
        word(indent + 2, "- type", types.at(i));
        // Windows keeps the delay as an unsigned 32-bit number; the record reads it as signed.
        number(indent + 4, "delay_ms", QString::number(quint32(actions[i]->delayMs)));
    }
    number(indent, "failure_reset_period_sec", ServiceCommands::resetSeconds(s.failureResetDays));
}

} // namespace

namespace AnsiblePlaybook {

Result write(const QList<ServiceInfo> &services, const QList<int> &positions)
{
    Result result;
    QList<const ServiceInfo *> written;
    PasswordVariables passwords;
    for (qsizetype i = 0; i < services.size(); ++i) {
        const ServiceInfo &service = services.at(i);
        const ServiceName::Problem problem = ServiceName::problem(service.serviceName);
        if (problem != ServiceName::Problem::None) {
            const int position = i < positions.size() ? positions.at(i) : int(i + 1);
            result.leftOut.append(ServiceName::recordLabel(position, service) + u' '
                                  + ServiceName::describe(problem));
            continue;
        }
        written.append(&service);
        if (ServiceAccount::needsPassword(service.accountName))
            passwords.add(service.accountName);
    }
    if (written.isEmpty() && !services.isEmpty()) {
        result.error = QCoreApplication::translate(
                           "MainWindow", "Cannot write the Ansible playbook: none of the records "
                                         "has a service name that Windows accepts.")
                       + u'\n' + result.leftOut.join(u'\n');
        result.leftOut.clear();
        return result;
    }

    PlaybookWriter writer(passwords);
    writer.header(written.isEmpty());
    for (const ServiceInfo *service : std::as_const(written))
        writer.task(*service);
    result.error = writer.error();
    if (!result.ok()) {
        result.leftOut.clear();
        return result;
    }
    result.text = writer.utf8();
    result.serviceCount = int(written.size());
    return result;
}

} // namespace AnsiblePlaybook
