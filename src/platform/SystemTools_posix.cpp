#include "platform/SystemTools.h"

namespace platform {

QString systemToolProgram(const QString &bareName)
{
    return bareName;
}

} // namespace platform
