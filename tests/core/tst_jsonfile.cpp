#include "JsonServiceReader.h"
#include "Ledgerwell.h"
#include "ServiceRecords.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

#include <random>

namespace {

ServiceInfo fullRecord()
{
    // Besides every field set: an empty action type, the largest delay and a text that JSON
    // must escape.
    ServiceInfo s = everyFieldRecord();
    s.description = "Line one\nline two with \\ and \"quotes\" and %PATH%";
    s.secondFailure = {"", 0};
    s.subsequentFailure = {"run_command", 2147483647};
    s.displayName = "App \"Service\" für Tests";
    return s;
}

QByteArray utf16(const QByteArray &utf8, bool littleEndian)
{
    const QString text = QString::fromUtf8(utf8);
    QByteArray bytes = littleEndian ? QByteArray("\xFF\xFE") : QByteArray("\xFE\xFF");
    for (const QChar c : text) {
        const char low = char(c.unicode() & 0xff);
        const char high = char(c.unicode() >> 8);
        bytes.append(littleEndian ? low : high);
        bytes.append(littleEndian ? high : low);
    }
    return bytes;
}

// What a mutation puts into a file: JSON punctuation, digits and number parts, quotes,
// backslashes, escapes (halves of surrogate pairs among them), literals and bytes beyond ASCII,
// some of them half a character or not UTF-8 at all.
const QByteArray mutationPieces[] = {"{",
                                     "}",
                                     "[",
                                     "]",
                                     ",",
                                     ":",
                                     "\"",
                                     "\\",
                                     "\\\\",
                                     "\\\"",
                                     "\\u",
                                     "\\u00",
                                     "\\u00e9",
                                     "\\u0000",
                                     "\\u001f",
                                     "\\uD83D",
                                     "\\uDE00",
                                     "\\ud83d\\ude00",
                                     "\\uFFFE",
                                     "\\uFDD0",
                                     "\\n",
                                     "\\/",
                                     "\\x",
                                     "0",
                                     "1",
                                     "7",
                                     "9",
                                     "-",
                                     ".",
                                     "e",
                                     "E",
                                     "+",
                                     "00",
                                     "-0",
                                     "0.5",
                                     "2147483647",
                                     "2147483648",
                                     "-2147483649",
                                     "999999999999999",
                                     "1000000000000000",
                                     "1e3",
                                     " ",
                                     "\t",
                                     "\n",
                                     "\r",
                                     "null",
                                     "true",
                                     "false",
                                     "nul",
                                     "\xC3\xA9",
                                     "\xC3",
                                     "\xA9",
                                     "\xE2\x80\x93",
                                     "\xE2\x80",
                                     "\xED\xA0\x80",
                                     "\xF0\x9F\x98\x80",
                                     "\xF4\x90\x80\x80",
                                     "\xEF\xBF\xBE",
                                     "\xEF\xB7\x90",
                                     "\xC0\x80",
                                     "\xFF",
                                     "\x01",
                                     "\x7F",
                                     QByteArray(1, '\0'),
                                     "\"serviceName\": \"x\", ",
                                     "\"type\": 1, ",
                                     "\"failureActions\": \"a/1\", ",
                                     "\"delayMs\"",
                                     "\"dependencies\"",
                                     "\"firstFailure\": {}, "};

// The file with one random change: a byte replaced or one of its bits flipped, a piece put in or
// put in place of a byte, bytes deleted, a stretch copied elsewhere, or the file cut short.
QByteArray mutated(QByteArray bytes, std::mt19937 &random)
{
    const auto below = [&random](qsizetype bound) {
        return qsizetype(
            std::uniform_int_distribution<qint64>(0, qMax<qint64>(bound, 1) - 1)(random));
    };
    const qsizetype at = below(bytes.size() + 1);
    const QByteArray &piece = mutationPieces[below(std::size(mutationPieces))];
    switch (below(7)) {
    case 0:
        if (at < bytes.size())
            bytes[at] = char(below(256));
        break;
    case 1:
        if (at < bytes.size())
            bytes[at] = char(bytes.at(at) ^ (1 << below(8)));
        break;
    case 2:
        bytes.insert(at, piece);
        break;
    case 3:
        bytes.replace(at, 1, piece);
        break;
    case 4:
        bytes.remove(at, 1 + below(4));
        break;
    case 5:
        bytes.insert(below(bytes.size() + 1), bytes.mid(at, 1 + below(40)));
        break;
    case 6:
        bytes.truncate(at);
        break;
    }
    return bytes;
}

// The bytes as a C string literal, so that a failing case can be read and tried again.
QString literal(const QByteArray &bytes)
{
    QString text;
    for (const char c : bytes) {
        const auto byte = uchar(c);
        if (byte == '"' || byte == '\\')
            text += u'\\' + QChar(byte);
        else if (byte >= 0x20 && byte < 0x7F)
            text += QChar(byte);
        else
            text += QStringLiteral("\\x%1").arg(byte, 2, 16, QChar(u'0'));
    }
    return text;
}

} // namespace

Q_DECLARE_METATYPE(ServiceInfo)
Q_DECLARE_METATYPE(JsonReadError::Reason)

class tst_JsonFile final : public QObject
{
    Q_OBJECT

private slots:
    void init() { QVERIFY(m_dir.isValid()); }
    void roundTrip();
    void writtenForm();
    void reader_data();
    void reader();
    void readFailures_data();
    void readFailures();
    void encodings_data();
    void encodings();
    void writeToMissingFolderFails();
    void onePassReadingAgreesWithTheDocument_data();
    void onePassReadingAgreesWithTheDocument();
    void onePassReadingAgreesOnMutatedFiles();

private:
    QString writeText(const QByteArray &text);
    QTemporaryDir m_dir;
};

QString tst_JsonFile::writeText(const QByteArray &text)
{
    const QString path = m_dir.filePath("in.json");
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(text) != text.size())
        qFatal("cannot write test input");
    return path;
}

void tst_JsonFile::roundTrip()
{
    const QList<ServiceInfo> records = {fullRecord(), ServiceInfo(), fullRecord()};
    const QString path = m_dir.filePath("out.json");
    QString error;
    QVERIFY2(Ledgerwell::exportToJson(path, records, &error), qPrintable(error));
    JsonReadError readError;
    const QList<ServiceInfo> back = Ledgerwell::importFromJson(path, &readError);
    QCOMPARE(readError.reason, JsonReadError::Reason::None);
    QCOMPARE(back.size(), 3);
    for (int i = 0; i < 3; ++i)
        QVERIFY2(back.at(i) == records.at(i), qPrintable(QString::number(i)));
    // An empty action type stays empty; only a missing one becomes "none".
    QCOMPARE(back.at(0).secondFailure.type, QString());
}

void tst_JsonFile::writtenForm()
{
    const QString empty = m_dir.filePath("empty.json");
    QVERIFY(Ledgerwell::exportToJson(empty, {}));
    QFile emptyFile(empty);
    QVERIFY(emptyFile.open(QIODevice::ReadOnly));
    QCOMPARE(emptyFile.readAll(), QByteArray("[\n]\n"));

    const QString path = m_dir.filePath("one.json");
    QVERIFY(Ledgerwell::exportToJson(path, {fullRecord()}));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QVERIFY(bytes.endsWith("]\n"));
    const QList<QByteArray> lines = bytes.split('\n');
    QCOMPARE(lines.at(1), QByteArray("    {"));
    QVERIFY(lines.at(2).startsWith("        \"accountName\": "));
    const QJsonObject object = QJsonDocument::fromJson(bytes).array().at(0).toObject();
    QCOMPARE(object.size(), 21);
    QCOMPARE(object.keys().last(), QString("subsequentFailure"));
    QVERIFY(bytes.contains("\"delayMs\": 60000,\n            \"type\": \"restart\""));
    QVERIFY(bytes.contains("\"failureResetDays\": 2,"));
    QVERIFY(bytes.contains(QString("für").toUtf8()));
}

void tst_JsonFile::reader_data()
{
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<ServiceInfo>("expected");

    ServiceInfo defaults;
    defaults.firstFailure = defaults.secondFailure = defaults.subsequentFailure = {"none", 0};
    QTest::newRow("array of a number") << QByteArray("[1]") << defaults;
    QTest::newRow("empty object") << QByteArray("[{}]") << defaults;

    ServiceInfo wrongTypes = defaults;
    wrongTypes.dependencies = {"RPCSS", ""};
    QTest::newRow("wrong types") << QByteArray(
        R"([{"serviceName": 5, "failureResetDays": "3", "preShutdownTimeout": 180000.5,
                         "dependencies": ["RPCSS", 7], "requiredPrivileges": "SeX",
                         "firstFailure": "restart", "secondFailure": {"type": 1, "delayMs": "5"},
                         "subsequentFailure": {"type": "", "delayMs": 3000000000}}])")
                                 << [&] {
                                        ServiceInfo s = wrongTypes;
                                        s.subsequentFailure = {"", 0};
                                        return s;
                                    }();

    ServiceInfo fourParts = defaults;
    fourParts.firstFailure = {"restart", 60000};
    fourParts.secondFailure = {"reboot", 120000};
    fourParts.subsequentFailure = {"run_command", 5};
    QTest::newRow("failureActions of four parts")
        << QByteArray(R"([{"failureActions": "restart/60000/reboot/120000", "failureResetDays": 4,
                         "subsequentFailure": {"type": "run_command", "delayMs": 5}}])")
        << fourParts;

    ServiceInfo onePart = defaults;
    onePart.failureResetDays = 1;
    QTest::newRow("failureActions of one part")
        << QByteArray(R"([{"failureActions": "restart", "failureResetPeriod": 172799,
                         "failureResetDays": 9}])")
        << onePart;

    ServiceInfo badDelays = defaults;
    badDelays.firstFailure = {"restart", 0};
    badDelays.secondFailure = {"restart", 60000};
    badDelays.subsequentFailure = {"", 0};
    badDelays.failureResetDays = -1;
    QTest::newRow("failureActions with bad delays")
        << QByteArray(R"([{"failureActions": "restart/abc/restart/60000//0/x/1",
                         "failureResetPeriod": -86400}])")
        << badDelays;

    ServiceInfo periodIgnored = defaults;
    periodIgnored.failureResetDays = 2;
    QTest::newRow("failureResetPeriod without failureActions")
        << QByteArray(R"([{"failureResetDays": 2, "failureResetPeriod": 864000}])")
        << periodIgnored;

    ServiceInfo overflow = defaults;
    overflow.firstFailure = {"restart", 0};
    QTest::newRow("delay part out of range")
        << QByteArray(R"([{"failureActions": "restart/3000000000"}])") << overflow;
}

void tst_JsonFile::reader()
{
    QFETCH(QByteArray, json);
    QFETCH(ServiceInfo, expected);
    const QList<ServiceInfo> records = Ledgerwell::importFromJson(writeText(json));
    QCOMPARE(records.size(), 1);
    const ServiceInfo &s = records.first();
    QCOMPARE(s.serviceName, expected.serviceName);
    QCOMPARE(s.dependencies, expected.dependencies);
    QCOMPARE(s.requiredPrivileges, expected.requiredPrivileges);
    QCOMPARE(s.failureResetDays, expected.failureResetDays);
    QCOMPARE(s.preShutdownTimeout, expected.preShutdownTimeout);
    QCOMPARE(s.firstFailure.type, expected.firstFailure.type);
    QCOMPARE(s.firstFailure.delayMs, expected.firstFailure.delayMs);
    QCOMPARE(s.secondFailure.type, expected.secondFailure.type);
    QCOMPARE(s.secondFailure.delayMs, expected.secondFailure.delayMs);
    QCOMPARE(s.subsequentFailure.type, expected.subsequentFailure.type);
    QCOMPARE(s.subsequentFailure.delayMs, expected.subsequentFailure.delayMs);
    QVERIFY(s == expected);
}

void tst_JsonFile::readFailures_data()
{
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<JsonReadError::Reason>("reason");
    QTest::addColumn<int>("line");
    QTest::newRow("object at top level")
        << QByteArray(R"({"serviceName": "x"})") << JsonReadError::Reason::NotArray << 0;
    QTest::newRow("empty file") << QByteArray() << JsonReadError::Reason::NotJson << 1;
    QTest::newRow("broken on line 2") << QByteArray("[\n  {\"serviceName\": \"x\",,\n  }\n]")
                                      << JsonReadError::Reason::NotJson << 2;
    QTest::newRow("empty array") << QByteArray("[]") << JsonReadError::Reason::None << 0;

    const QByteArray broken = "[\n  {\"serviceName\": \"x\",,\n  }\n]";
    QTest::newRow("UTF-16 LE, broken on line 2")
        << utf16(broken, true) << JsonReadError::Reason::NotJson << 2;
    QTest::newRow("UTF-16 BE, broken on line 2")
        << utf16(broken, false) << JsonReadError::Reason::NotJson << 2;
    QTest::newRow("UTF-16 without a mark")
        << utf16("[]", true).mid(2) << JsonReadError::Reason::NotJson << 1;
    QTest::newRow("UTF-16 of odd length")
        << utf16("[]", true) + 'x' << JsonReadError::Reason::NotJson << 1;
    QTest::newRow("UTF-16 with a lone surrogate")
        << utf16("[\n\"", true) + QByteArray("\x00\xD8", 2) + utf16("\"]", true).mid(2)
        << JsonReadError::Reason::NotJson << 2;
}

void tst_JsonFile::readFailures()
{
    QFETCH(QByteArray, json);
    QFETCH(JsonReadError::Reason, reason);
    QFETCH(int, line);
    JsonReadError error;
    QVERIFY(Ledgerwell::importFromJson(writeText(json), &error).isEmpty());
    QCOMPARE(error.reason, reason);
    QCOMPARE(error.line, line);
    if (reason == JsonReadError::Reason::NotJson)
        QVERIFY(!error.detail.isEmpty());

    QVERIFY(Ledgerwell::importFromJson(m_dir.filePath("missing.json"), &error).isEmpty());
    QCOMPARE(error.reason, JsonReadError::Reason::CannotOpen);
    QVERIFY(!error.detail.isEmpty());
}

// As Windows PowerShell 5.1 (UTF-16 LE) and many editors (UTF-8 with a mark) write text files.
void tst_JsonFile::encodings_data()
{
    QTest::addColumn<QByteArray>("mark");
    QTest::addColumn<int>("encoding"); // 8 for UTF-8, 16 for UTF-16 LE, 61 for UTF-16 BE
    QTest::newRow("UTF-8 without a mark") << QByteArray() << 8;
    QTest::newRow("UTF-8 with a mark") << QByteArray("\xEF\xBB\xBF") << 8;
    QTest::newRow("UTF-16 LE with a mark") << QByteArray() << 16;
    QTest::newRow("UTF-16 BE with a mark") << QByteArray() << 61;
}

void tst_JsonFile::encodings()
{
    QFETCH(QByteArray, mark);
    QFETCH(int, encoding);
    ServiceInfo record = fullRecord();
    record.description += QString::fromUtf8(" \xF0\x9F\x98\x80 \xE2\x80\xA8 end");
    const QList<ServiceInfo> records = {record, ServiceInfo()};
    const QByteArray utf8 = Ledgerwell::jsonDocument(records);
    const QByteArray file = encoding == 8 ? mark + utf8 : utf16(utf8, encoding == 16);

    JsonReadError error;
    const QList<ServiceInfo> back = Ledgerwell::importFromJson(writeText(file), &error);
    QCOMPARE(error.reason, JsonReadError::Reason::None);
    QCOMPARE(back, records);
}

void tst_JsonFile::writeToMissingFolderFails()
{
    QString error;
    QVERIFY(!Ledgerwell::exportToJson(m_dir.filePath("no/such/folder/x.json"), {}, &error));
    QVERIFY(!error.isEmpty());
}

void tst_JsonFile::onePassReadingAgreesWithTheDocument_data()
{
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<bool>("readInOnePass"); // else left to the JSON document

    QTest::newRow("written file") << Ledgerwell::jsonDocument(
        {everyFieldRecord(), ServiceInfo(), serviceWithEveryField("B")})
                                  << true;
    QTest::newRow("empty, blanks around") << QByteArray(" \r\n[ ]\t ") << true;
    QTest::newRow("elements that are no object")
        << QByteArray("[1, \"x\", null, true, [], {}]") << true;
    QTest::newRow("wrong types") << QByteArray(
        R"([{"serviceName": 5, "dependencies": ["a", 1, {"x": [1, 2]}, null],
                        "failureResetDays": "3", "firstFailure": [], "displayName": null,
                        "secondFailure": {"type": 7, "delayMs": "5", "other": {}},
                        "subsequentFailure": {"delayMs": -40}, "requiredPrivileges": "x",
                        "preShutdownTimeout": -0, "extra": {"a": [true, false, null, "s"]}}])")
                                 << true;
    QTest::newRow("alternative recovery keys")
        << QByteArray(R"([{"failureActions": "restart/60000/reboot/abc", "failureResetDays": 4,
                        "failureResetPeriod": 172799, "firstFailure": {"type": "none"}},
                       {"failureActions": null, "failureResetDays": 5}])")
        << true;
    QTest::newRow("escapes, also in a key")
        << QByteArray(R"([{"serviceName": "A\"b\\c\/d\u00e9\u0000\n\t\b\f\r",
                        "display\u004eame": "escaped key"}])")
        << true;
    QTest::newRow("UTF-8") << QByteArray("[{\"description\": \"Gr\xc3\xbc\xc3\x9f"
                                         "e \xe2\x80\x93 \xe6\x97\xa5 \xf0\x9f\x98\x80\"}]")
                           << true;
    QTest::newRow("numbers out of range")
        << QByteArray(R"([{"failureResetDays": 3000000000, "preShutdownTimeout": -2147483648}])")
        << true;
    QTest::newRow("fraction") << QByteArray(R"([{"preShutdownTimeout": 180000.5}])") << false;
    QTest::newRow("exponent elsewhere") << QByteArray(R"([{"x": 1e3}])") << false;
    QTest::newRow("sixteen digits") << QByteArray(R"([{"x": 1234567890123456}])") << false;
    QTest::newRow("leading zero") << QByteArray(R"([{"failureResetDays": 01}])") << false;
    QTest::newRow("key given twice")
        << QByteArray(R"([{"serviceName": "a", "serviceName": "b"}])") << false;
    QTest::newRow("surrogate escapes")
        << QByteArray(R"([{"serviceName": "\ud83d\ude00", "displayName": "\ud800"}])") << false;
    QTest::newRow("invalid UTF-8") << QByteArray("[{\"serviceName\": \"\xff\"}]") << false;
    QTest::newRow("encoded surrogate") << QByteArray("[\"\xed\xa0\x80\"]") << false;
    QTest::newRow("control character") << QByteArray("[{\"serviceName\": \"a\tb\"}]") << false;
    QTest::newRow("trailing comma") << QByteArray(R"([{"serviceName": "a",}])") << false;
    QTest::newRow("top level object") << QByteArray(R"({"serviceName": "a"})") << false;
    QTest::newRow("text after the array") << QByteArray("[] x") << false;
    QTest::newRow("byte order mark") << QByteArray("\xef\xbb\xbf[]") << false;
    QTest::newRow("deep nesting") << QByteArray("[{\"x\": ") + QByteArray(70, '[')
                                         + QByteArray(70, ']') + "}]"
                                  << false;
    QTest::newRow("empty file") << QByteArray() << false;
}

void tst_JsonFile::onePassReadingAgreesWithTheDocument()
{
    QFETCH(QByteArray, json);
    QFETCH(bool, readInOnePass);

    const std::optional<QList<ServiceInfo>> read = JsonServiceReader::fromBytes(json);
    QCOMPARE(read.has_value(), readInOnePass);
    const QList<ServiceInfo> expected =
        JsonServiceReader::fromArray(QJsonDocument::fromJson(json).array());
    if (read)
        QCOMPARE(*read, expected);

    // The file reads the same either way.
    const QString path = m_dir.filePath("agree.json");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(json);
    file.close();
    QCOMPARE(Ledgerwell::importFromJson(path), expected);
}

// Files as the program writes them, and the shapes only other writers give, changed at random:
// the one-pass reader either leaves a file to the JSON document or reads exactly what the
// document gives, and the import gives the document's records and error either way.
void tst_JsonFile::onePassReadingAgreesOnMutatedFiles()
{
    ServiceInfo escaped = fullRecord();
    escaped.serviceName = QString::fromUtf8("Gr\xC3\xBC\xC3\x9F\xE2\x80\x93\xF0\x9F\x98\x80");
    escaped.failureCommandParams = QStringLiteral("/c \"a\\b\"\t\x01");
    const QByteArray seeds[] = {
        Ledgerwell::jsonDocument({fullRecord(), ServiceInfo()}),
        Ledgerwell::jsonDocument({escaped}),
        QJsonDocument::fromJson(Ledgerwell::jsonDocument({serviceWithEveryField("B")}))
            .toJson(QJsonDocument::Compact),
        R"([{"serviceName":"a\u00e9\"","failureActions":"restart/60000/reboot/-5",)"
        R"("failureResetPeriod":172800,"dependencies":["x",1,null,{"y":[2]}],)"
        R"("firstFailure":{"type":"run_command","delayMs":2147483647,"z":[]},)"
        R"("preShutdownTimeout":-2147483648,"other":{"a":[true,false,null,-0]}},7,"s",[]])",
    };

    std::mt19937 random(20261210);
    constexpr int Cases = 3000;
    int readInOnePass = 0;
    int leftToTheDocument = 0;
    for (int i = 0; i < Cases; ++i) {
        QByteArray bytes = seeds[i % std::size(seeds)];
        const int changes = 1 + int(random() % 3);
        for (int change = 0; change < changes; ++change)
            bytes = mutated(bytes, random);
        const QString what = QStringLiteral("case %1: \"%2\"").arg(i).arg(literal(bytes));

        QJsonParseError parseError;
        const QJsonDocument document = QJsonDocument::fromJson(bytes, &parseError);
        const JsonReadError::Reason reason = parseError.error != QJsonParseError::NoError
                                                 ? JsonReadError::Reason::NotJson
                                             : !document.isArray() ? JsonReadError::Reason::NotArray
                                                                   : JsonReadError::Reason::None;
        const QList<ServiceInfo> expected = JsonServiceReader::fromArray(document.array());

        const std::optional<QList<ServiceInfo>> read = JsonServiceReader::fromBytes(bytes);
        if (read) {
            ++readInOnePass;
            QVERIFY2(reason == JsonReadError::Reason::None, qPrintable(what));
            QVERIFY2(*read == expected, qPrintable(what));
        } else {
            ++leftToTheDocument;
        }

        // A mark of UTF-16 in front makes the import read another text than the bytes.
        if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF"))
            continue;
        // A file of its own each time: rewriting one file makes the file system flush it.
        const QString path = m_dir.filePath(QStringLiteral("mutated%1.json").arg(i));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        file.close();
        JsonReadError error;
        const QList<ServiceInfo> imported = Ledgerwell::importFromJson(path, &error);
        QFile::remove(path);
        QVERIFY2(error.reason == reason, qPrintable(what));
        QVERIFY2(imported == expected, qPrintable(what));
    }
    // Both ways were taken often enough to have been tried.
    QVERIFY2(readInOnePass > Cases / 10 && leftToTheDocument > Cases / 10,
             qPrintable(QStringLiteral("%1 read in one pass, %2 left to the document")
                            .arg(readInOnePass)
                            .arg(leftToTheDocument)));
}

QTEST_GUILESS_MAIN(tst_JsonFile)
#include "tst_jsonfile.moc"
