#include "InstalledReading.h"

#include "InstalledServices.h"
#include "ServiceEnumerator.h"

#include <QCursor>
#include <QGuiApplication>

#include <optional>

namespace InstalledReading {

namespace {

std::optional<InstalledServices> &reading()
{
    static std::optional<InstalledServices> services;
    return services;
}

} // namespace

const InstalledServices &current()
{
    if (!reading())
        refresh();
    return *reading();
}

void refresh()
{
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    reading() = InstalledServices(ServiceEnumerator::enumerate());
    QGuiApplication::restoreOverrideCursor();
}

void forget()
{
    reading().reset();
}

} // namespace InstalledReading
