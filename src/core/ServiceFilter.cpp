#include "ServiceFilter.h"

#include "ServiceInfo.h"

namespace ServiceFilter {

namespace {

char16_t lowerAscii(char16_t c)
{
    return c >= u'A' && c <= u'Z' ? char16_t(c + (u'a' - u'A')) : c;
}

} // namespace

bool matches(const ServiceInfo &service, const QString &text)
{
    return Matcher(text).matches(service);
}

Matcher::Matcher(const QString &text)
    : m_text(text)
{
    QString lower(text.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text.at(i).unicode();
        if (c >= 0x80)
            return;
        lower[i] = QChar(lowerAscii(c));
    }
    m_lowerAscii = lower;
}

bool Matcher::matches(const ServiceInfo &service) const
{
    if (m_text.isEmpty())
        return true;
    for (const QString *field : {&service.serviceName, &service.displayName, &service.startType,
                                 &service.accountName, &service.binaryPath}) {
        if (contains(*field))
            return true;
    }
    return false;
}

bool Matcher::contains(const QString &field) const
{
    if (m_lowerAscii.isEmpty())
        return field.contains(m_text, Qt::CaseInsensitive);
    // An ASCII character matches only its own letter in either case; a character beyond ASCII
    // may fold to an ASCII letter (the Kelvin sign to k), so the general rule decides there.
    const QChar *haystack = field.constData();
    const QChar *needle = m_lowerAscii.constData();
    const qsizetype size = field.size();
    const qsizetype length = m_lowerAscii.size();
    for (qsizetype start = 0; start + length <= size; ++start) {
        qsizetype i = 0;
        for (; i < length; ++i) {
            const char16_t c = haystack[start + i].unicode();
            if (c >= 0x80)
                return field.contains(m_text, Qt::CaseInsensitive);
            if (lowerAscii(c) != needle[i].unicode())
                break;
        }
        if (i == length)
            return true;
    }
    return false;
}

} // namespace ServiceFilter
