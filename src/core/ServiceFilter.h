#pragma once

#include <QString>

struct ServiceInfo;

// The filter of the service tables and the command line: a text found, without regard to case,
// in the service name, display name, start type, account or binary path. The description is not
// searched; an empty text matches every service.
namespace ServiceFilter {

bool matches(const ServiceInfo &service, const QString &text);

// The same rule for one text, prepared once to be matched against many records: a text of
// ASCII characters is compared without the general case folding wherever the record's texts are
// ASCII too, which is where a table spends its time.
class Matcher
{
public:
    explicit Matcher(const QString &text);

    bool matches(const ServiceInfo &service) const;

private:
    bool contains(const QString &field) const;

    QString m_text;
    QString m_lowerAscii; // m_text in lower case, when it is all ASCII; else empty
};

} // namespace ServiceFilter
