#include "YamlText.h"

namespace {

void appendHexEscape(QString &out, char16_t c)
{
    const bool byte = c <= 0xff;
    out += byte ? QStringLiteral("\\x") : QStringLiteral("\\u");
    out += QStringLiteral("%1").arg(uint(c), byte ? 2 : 4, 16, QLatin1Char('0')).toUpper();
}

// Characters a YAML parser does not accept literally in a document, or that it takes for a line
// break (folded away inside quotes): C0 and C1 controls, DEL, the Unicode line and paragraph
// separators, the byte order mark and the two non-characters of the basic plane.
bool needsEscape(char16_t c)
{
    return c < 0x20 || (c >= 0x7f && c <= 0x9f) || c == 0x2028 || c == 0x2029 || c == 0xfeff
           || c == 0xfffe || c == 0xffff;
}

} // namespace

namespace YamlText {

qsizetype unpairedSurrogate(const QString &text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            ++i;
        else if (c.isSurrogate())
            return i;
    }
    return -1;
}

QString quoted(const QString &text, bool *ok)
{
    if (ok)
        *ok = unpairedSurrogate(text) < 0;

    QString out;
    out.reserve(text.size() + 2);
    out += u'"';
    qsizetype plainStart = 0;
    const auto flushPlain = [&](qsizetype end) {
        out += QStringView(text).mid(plainStart, end - plainStart);
        plainStart = end + 1;
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text.at(i).unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            ++i;
            continue;
        }
        if (c == u'"' || c == u'\\') {
            flushPlain(i);
            out += u'\\';
            out += QChar(c);
        } else if (c == u'\n' || c == u'\r' || c == u'\t' || c == 0) {
            flushPlain(i);
            out += c == u'\n'   ? QStringLiteral("\\n")
                   : c == u'\r' ? QStringLiteral("\\r")
                   : c == u'\t' ? QStringLiteral("\\t")
                                : QStringLiteral("\\0");
        } else if (needsEscape(c) || QChar::isSurrogate(c)) {
            flushPlain(i);
            appendHexEscape(out, c);
        }
    }
    flushPlain(text.size());
    out += u'"';
    return out;
}

} // namespace YamlText
