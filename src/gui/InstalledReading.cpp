#include "InstalledReading.h"

#include "InstalledServices.h"
#include "ServiceEnumerator.h"

#include <QCursor>
#include <QGuiApplication>

namespace InstalledReading {

InstalledServices read()
{
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    InstalledServices services(ServiceEnumerator::enumerate());
    QGuiApplication::restoreOverrideCursor();
    return services;
}

} // namespace InstalledReading
