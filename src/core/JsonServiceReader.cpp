#include "JsonServiceReader.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QJsonValue>

#include <array>
#include <cmath>
#include <cstring>
#include <limits>
#include <string_view>

namespace {

// The keys the reader knows, and their names in the file.
enum class Key {
    ServiceName,
    DisplayName,
    Description,
    BinaryPath,
    StartType,
    ServiceType,
    ErrorControl,
    AccountName,
    LoadOrderGroup,
    Dependencies,
    FailureResetDays,
    FirstFailure,
    SecondFailure,
    SubsequentFailure,
    FailureCommand,
    FailureCommandParams,
    FailureRebootMessage,
    FailureActions,
    FailureResetPeriod,
    SidType,
    PreShutdownTimeout,
    LaunchProtected,
    RequiredPrivileges,
    Count
};
constexpr int KeyCount = int(Key::Count);

constexpr std::array<std::string_view, KeyCount> keyNames = {"serviceName",
                                                             "displayName",
                                                             "description",
                                                             "binaryPath",
                                                             "startType",
                                                             "serviceType",
                                                             "errorControl",
                                                             "accountName",
                                                             "loadOrderGroup",
                                                             "dependencies",
                                                             "failureResetDays",
                                                             "firstFailure",
                                                             "secondFailure",
                                                             "subsequentFailure",
                                                             "failureCommand",
                                                             "failureCommandParams",
                                                             "failureRebootMessage",
                                                             "failureActions",
                                                             "failureResetPeriod",
                                                             "sidType",
                                                             "preShutdownTimeout",
                                                             "launchProtected",
                                                             "requiredPrivileges"};

QLatin1StringView keyName(Key key)
{
    const std::string_view name = keyNames[std::size_t(key)];
    return QLatin1StringView(name.data(), qsizetype(name.size()));
}

bool isListKey(Key key)
{
    return key == Key::Dependencies || key == Key::RequiredPrivileges;
}

bool isActionKey(Key key)
{
    return key == Key::FirstFailure || key == Key::SecondFailure || key == Key::SubsequentFailure;
}

// A whole number within the signed 32-bit range, else 0.
int wholeInt(double number)
{
    if (std::trunc(number) != number || number < std::numeric_limits<int>::min()
        || number > std::numeric_limits<int>::max())
        return 0;
    return int(number);
}

// The record from an object, whichever way the object was read. Fields gives, for a key: text()
// the string or an empty text; integer() the number under wholeInt() or 0; list() the array's
// elements as texts (an element that is no string an empty one) or an empty list; action() the
// recovery action of an object ("type" a string, else "none"; "delayMs" as integer()) or
// ("none", 0) for anything else; has() whether the key is there at all.
template<class Fields>
ServiceInfo serviceFrom(const Fields &o)
{
    ServiceInfo s;
    s.serviceName = o.text(Key::ServiceName);
    s.displayName = o.text(Key::DisplayName);
    s.description = o.text(Key::Description);
    s.binaryPath = o.text(Key::BinaryPath);
    s.startType = o.text(Key::StartType);
    s.serviceType = o.text(Key::ServiceType);
    s.errorControl = o.text(Key::ErrorControl);
    s.accountName = o.text(Key::AccountName);
    s.loadOrderGroup = o.text(Key::LoadOrderGroup);
    s.dependencies = o.list(Key::Dependencies);
    s.failureResetDays = o.integer(Key::FailureResetDays);
    s.firstFailure = o.action(Key::FirstFailure);
    s.secondFailure = o.action(Key::SecondFailure);
    s.subsequentFailure = o.action(Key::SubsequentFailure);
    s.failureCommand = o.text(Key::FailureCommand);
    s.failureCommandParams = o.text(Key::FailureCommandParams);
    s.failureRebootMessage = o.text(Key::FailureRebootMessage);
    if (o.has(Key::FailureActions)) {
        // The recovery settings in the shape of an `sc failure` line:
        // "type/delay/type/delay/type/delay" and the reset period in seconds.
        const QStringList parts = o.text(Key::FailureActions).split(u'/');
        auto delay = [](const QString &part) {
            bool ok = false;
            const int value = part.toInt(&ok, 10);
            return ok ? value : 0;
        };
        FailureAction *const actions[] = {&s.firstFailure, &s.secondFailure, &s.subsequentFailure};
        for (int i = 0; i < 3 && parts.size() >= 2 * (i + 1); ++i)
            *actions[i] = {parts.at(2 * i), delay(parts.at(2 * i + 1))};
        s.failureResetDays = o.integer(Key::FailureResetPeriod) / 86400;
    }
    s.sidType = o.text(Key::SidType);
    s.preShutdownTimeout = o.integer(Key::PreShutdownTimeout);
    s.launchProtected = o.text(Key::LaunchProtected);
    s.requiredPrivileges = o.list(Key::RequiredPrivileges);
    return s;
}

// The fields of a parsed JSON object.
class JsonObjectFields
{
public:
    explicit JsonObjectFields(const QJsonObject &object)
        : m_object(object)
    {
    }

    QString text(Key key) const
    {
        const QJsonValue value = m_object.value(keyName(key));
        return value.isString() ? value.toString() : QString();
    }
    int integer(Key key) const { return integerOf(m_object.value(keyName(key))); }
    QStringList list(Key key) const
    {
        QStringList list;
        const QJsonValue value = m_object.value(keyName(key));
        if (!value.isArray())
            return list;
        const QJsonArray array = value.toArray();
        for (const QJsonValue &element : array)
            list.append(element.isString() ? element.toString() : QString());
        return list;
    }
    FailureAction action(Key key) const
    {
        const QJsonObject object = m_object.value(keyName(key)).toObject();
        const QJsonValue type = object.value(QLatin1StringView("type"));
        return {type.isString() ? type.toString() : QStringLiteral("none"),
                integerOf(object.value(QLatin1StringView("delayMs")))};
    }
    bool has(Key key) const { return m_object.contains(keyName(key)); }

private:
    static int integerOf(const QJsonValue &value)
    {
        return value.isDouble() ? wholeInt(value.toDouble()) : 0;
    }

    const QJsonObject &m_object;
};

// What the one-pass reader keeps of a value: only the shapes the record takes something from.
struct Value
{
    enum class Kind : quint8 { Missing, String, Integer, Array, Object, Other };

    Kind kind = Kind::Missing;
    QString text;         // String
    qint64 number = 0;    // Integer
    QStringList elements; // Array: its elements as the record takes them
    // Object: its "type" and "delayMs", for the recovery actions.
    Kind typeKind = Kind::Missing;
    QString type;
    Kind delayKind = Kind::Missing;
    qint64 delay = 0;
};

int integerOf(Value::Kind kind, qint64 number)
{
    return kind == Value::Kind::Integer ? wholeInt(double(number)) : 0;
}

class ParsedFields
{
public:
    std::array<Value, KeyCount> values;

    QString text(Key key) const
    {
        const Value &value = at(key);
        return value.kind == Value::Kind::String ? value.text : QString();
    }
    int integer(Key key) const { return integerOf(at(key).kind, at(key).number); }
    QStringList list(Key key) const
    {
        return at(key).kind == Value::Kind::Array ? at(key).elements : QStringList();
    }
    FailureAction action(Key key) const
    {
        const Value &value = at(key);
        if (value.kind != Value::Kind::Object)
            return {QStringLiteral("none"), 0};
        return {value.typeKind == Value::Kind::String ? value.type : QStringLiteral("none"),
                integerOf(value.delayKind, value.delay)};
    }
    bool has(Key key) const { return at(key).kind != Value::Kind::Missing; }

private:
    const Value &at(Key key) const { return values[std::size_t(key)]; }
};

// One pass over the bytes. Every read function returns false when the bytes hold something
// left to QJsonDocument; the whole file then goes that way.
class OnePassReader
{
public:
    explicit OnePassReader(QByteArrayView json)
        : m_at(json.data())
        , m_end(json.data() + json.size())
    {
    }

    bool read(QList<ServiceInfo> &services)
    {
        skipSpace();
        if (!take('['))
            return false;
        skipSpace();
        if (!take(']')) {
            do {
                skipSpace();
                ParsedFields fields;
                if (peek() == '{') {
                    if (!readRecord(fields))
                        return false;
                } else if (!skipValue(0)) {
                    return false;
                }
                services.append(serviceFrom(fields));
                skipSpace();
            } while (take(','));
            if (!take(']'))
                return false;
        }
        skipSpace();
        return m_at == m_end;
    }

private:
    static constexpr int MaximumDepth = 64;
    static constexpr int MaximumDigits = 15; // every such integer is exact in a double

    char peek() const { return m_at < m_end ? *m_at : '\0'; }
    bool take(char c)
    {
        if (peek() != c || m_at == m_end)
            return false;
        ++m_at;
        return true;
    }
    void skipSpace()
    {
        while (m_at < m_end && (*m_at == ' ' || *m_at == '\n' || *m_at == '\r' || *m_at == '\t'))
            ++m_at;
    }

    // The members of one record's object, from its '{'.
    bool readRecord(ParsedFields &fields)
    {
        return readMembers(
            0, [this, &fields](const char *name, qsizetype size, bool plain, quint32 &seen) {
                const int key = knownKey(name, size, plain);
                if (key < 0)
                    return skipValue(1);
                if (seen & (1u << key))
                    return false; // which of the two counts is QJsonDocument's to say
                seen |= 1u << key;
                return readKnownValue(Key(key), fields.values[std::size_t(key)]);
            });
    }

    // Reads "name": value pairs up to the '}', handing each name to member, which reads the
    // value. A name is passed as its bytes when it holds no escape (plain), else decoded.
    template<class Member>
    bool readMembers(int depth, const Member &member)
    {
        if (!take('{') || depth > MaximumDepth)
            return false;
        quint32 seen = 0;
        skipSpace();
        if (take('}'))
            return true;
        do {
            skipSpace();
            const char *name = nullptr;
            qsizetype size = 0;
            bool plain = false;
            if (!readName(name, size, plain))
                return false;
            skipSpace();
            if (!take(':'))
                return false;
            skipSpace();
            if (!member(name, size, plain, seen))
                return false;
            skipSpace();
        } while (take(','));
        return take('}');
    }

    // A member's name: its bytes when it holds no escape; otherwise decoded into m_name.
    bool readName(const char *&name, qsizetype &size, bool &plain)
    {
        const char *start = m_at + 1;
        if (!readString(m_name, &plain, false))
            return false;
        if (plain) {
            name = start;
            size = m_at - 1 - start;
        } else {
            m_nameBytes = m_name.toUtf8();
            name = m_nameBytes.constData();
            size = m_nameBytes.size();
        }
        return true;
    }

    static int knownKey(const char *name, qsizetype size, bool /*plain*/)
    {
        const std::string_view given(name, std::size_t(size));
        for (int key = 0; key < KeyCount; ++key) {
            if (keyNames[std::size_t(key)] == given)
                return key;
        }
        return -1;
    }

    bool readKnownValue(Key key, Value &value)
    {
        const char next = peek();
        if (next == '"') {
            value.kind = Value::Kind::String;
            return readString(value.text);
        }
        if (next == '-' || (next >= '0' && next <= '9')) {
            value.kind = Value::Kind::Integer;
            return readInteger(value.number);
        }
        if (next == '[' && isListKey(key)) {
            value.kind = Value::Kind::Array;
            return readTexts(value.elements);
        }
        if (next == '{' && isActionKey(key)) {
            value.kind = Value::Kind::Object;
            return readAction(value);
        }
        value.kind = Value::Kind::Other;
        return skipValue(1);
    }

    // An array whose strings the record takes; other elements give empty texts.
    bool readTexts(QStringList &texts)
    {
        take('[');
        skipSpace();
        if (take(']'))
            return true;
        do {
            skipSpace();
            QString text;
            if (peek() == '"') {
                if (!readString(text))
                    return false;
            } else if (!skipValue(2)) {
                return false;
            }
            texts.append(text);
            skipSpace();
        } while (take(','));
        return take(']');
    }

    bool readAction(Value &value)
    {
        return readMembers(
            1, [this, &value](const char *name, qsizetype size, bool, quint32 &seen) {
                const bool isType = size == 4 && std::memcmp(name, "type", 4) == 0;
                const bool isDelay = size == 7 && std::memcmp(name, "delayMs", 7) == 0;
                if (!isType && !isDelay)
                    return skipValue(2);
                const quint32 bit = isType ? 1 : 2;
                if (seen & bit)
                    return false;
                seen |= bit;
                const char next = peek();
                Value::Kind &kind = isType ? value.typeKind : value.delayKind;
                if (isType && next == '"') {
                    kind = Value::Kind::String;
                    return readString(value.type);
                }
                if (isDelay && (next == '-' || (next >= '0' && next <= '9'))) {
                    kind = Value::Kind::Integer;
                    return readInteger(value.delay);
                }
                kind = Value::Kind::Other;
                return skipValue(2);
            });
    }

    // An integer of at most MaximumDigits digits, as JSON writes it.
    bool readInteger(qint64 &number)
    {
        const bool negative = take('-');
        const char *digits = m_at;
        while (m_at < m_end && *m_at >= '0' && *m_at <= '9')
            ++m_at;
        const qsizetype count = m_at - digits;
        if (count == 0 || count > MaximumDigits || (count > 1 && *digits == '0'))
            return false;
        if (m_at < m_end && (*m_at == '.' || *m_at == 'e' || *m_at == 'E'))
            return false;
        number = 0;
        for (const char *d = digits; d < m_at; ++d)
            number = number * 10 + (*d - '0');
        if (negative)
            number = -number;
        return true;
    }

    bool skipValue(int depth)
    {
        if (depth > MaximumDepth)
            return false;
        const char next = peek();
        if (next == '"') {
            QString ignored;
            return readString(ignored, nullptr, false);
        }
        if (next == '-' || (next >= '0' && next <= '9')) {
            qint64 ignored = 0;
            return readInteger(ignored);
        }
        if (next == '{') {
            return readMembers(depth, [this, depth](const char *, qsizetype, bool, quint32 &) {
                return skipValue(depth + 1);
            });
        }
        if (next == '[') {
            take('[');
            skipSpace();
            if (take(']'))
                return true;
            do {
                skipSpace();
                if (!skipValue(depth + 1))
                    return false;
                skipSpace();
            } while (take(','));
            return take(']');
        }
        return literal("true") || literal("false") || literal("null");
    }

    bool literal(const char *word)
    {
        const qsizetype size = qsizetype(std::strlen(word));
        if (m_end - m_at < size || std::memcmp(m_at, word, size) != 0)
            return false;
        m_at += size;
        return true;
    }

    // A string from its opening quote. plain, when given, tells whether it held no escape; a
    // string without one is only decoded when decodePlain is set.
    bool readString(QString &text, bool *plain = nullptr, bool decodePlain = true)
    {
        if (!take('"'))
            return false;
        const char *run = m_at;
        bool ascii = true;
        bool escaped = false;
        text.clear();
        while (true) {
            if (m_at == m_end)
                return false;
            const uchar c = uchar(*m_at);
            if (c == '"')
                break;
            if (c < 0x20)
                return false;
            if (c == '\\') {
                appendRun(text, run, m_at, ascii);
                escaped = true;
                ++m_at;
                if (!readEscape(text))
                    return false;
                run = m_at;
                ascii = true;
                continue;
            }
            if (c >= 0x80) {
                if (!skipUtf8Character())
                    return false;
                ascii = false;
                continue;
            }
            ++m_at;
        }
        if (escaped)
            appendRun(text, run, m_at, ascii);
        else if (decodePlain)
            text =
                ascii ? QString::fromLatin1(run, m_at - run) : QString::fromUtf8(run, m_at - run);
        ++m_at; // the closing quote
        if (plain)
            *plain = !escaped;
        return true;
    }

    static void appendRun(QString &text, const char *from, const char *to, bool ascii)
    {
        if (from == to)
            return;
        text += ascii ? QString::fromLatin1(from, to - from) : QString::fromUtf8(from, to - from);
    }

    // After the backslash.
    bool readEscape(QString &text)
    {
        if (m_at == m_end)
            return false;
        const char c = *m_at++;
        static constexpr struct
        {
            char escape;
            char16_t character;
        } simpleEscapes[] = {{'"', u'"'},  {'\\', u'\\'}, {'/', u'/'},  {'b', u'\b'},
                             {'f', u'\f'}, {'n', u'\n'},  {'r', u'\r'}, {'t', u'\t'}};
        for (const auto &simple : simpleEscapes) {
            if (c == simple.escape) {
                text += QChar(simple.character);
                return true;
            }
        }
        if (c != 'u')
            return false;
        if (m_end - m_at < 4)
            return false;
        char16_t unit = 0;
        for (int i = 0; i < 4; ++i) {
            const char h = *m_at++;
            const int digit = h >= '0' && h <= '9'   ? h - '0'
                              : h >= 'a' && h <= 'f' ? h - 'a' + 10
                              : h >= 'A' && h <= 'F' ? h - 'A' + 10
                                                     : -1;
            if (digit < 0)
                return false;
            unit = char16_t(unit * 16 + digit);
        }
        // Halves of surrogate pairs and non-characters are left to QJsonDocument.
        if (QChar::isSurrogate(unit) || QChar::isNonCharacter(unit))
            return false;
        text += QChar(unit);
        return true;
    }

    // One well-formed UTF-8 character of two to four bytes that is no non-character.
    bool skipUtf8Character()
    {
        const auto *bytes = reinterpret_cast<const uchar *>(m_at);
        const qsizetype left = m_end - m_at;
        const auto continuation = [bytes, left](qsizetype i) {
            return i < left && (bytes[i] & 0xC0) == 0x80;
        };
        char32_t code = 0;
        qsizetype size = 0;
        if (bytes[0] >= 0xC2 && bytes[0] <= 0xDF) {
            size = 2;
            code = bytes[0] & 0x1F;
        } else if (bytes[0] >= 0xE0 && bytes[0] <= 0xEF) {
            size = 3;
            code = bytes[0] & 0x0F;
        } else if (bytes[0] >= 0xF0 && bytes[0] <= 0xF4) {
            size = 4;
            code = bytes[0] & 0x07;
        } else {
            return false;
        }
        for (qsizetype i = 1; i < size; ++i) {
            if (!continuation(i))
                return false;
            code = (code << 6) | (bytes[i] & 0x3F);
        }
        const char32_t smallest = size == 2 ? 0x80 : size == 3 ? 0x800 : 0x10000;
        if (code < smallest || code > 0x10FFFF || QChar::isSurrogate(code)
            || QChar::isNonCharacter(code))
            return false;
        m_at += size;
        return true;
    }

    const char *m_at;
    const char *m_end;
    QString m_name;
    QByteArray m_nameBytes;
};

} // namespace

namespace JsonServiceReader {

QList<ServiceInfo> fromArray(const QJsonArray &array)
{
    QList<ServiceInfo> services;
    services.reserve(array.size());
    for (const QJsonValue &element : array) {
        const QJsonObject object = element.toObject();
        services.append(serviceFrom(JsonObjectFields(object)));
    }
    return services;
}

std::optional<QList<ServiceInfo>> fromBytes(QByteArrayView json)
{
    QList<ServiceInfo> services;
    OnePassReader reader(json);
    if (!reader.read(services))
        return std::nullopt;
    return services;
}

} // namespace JsonServiceReader
