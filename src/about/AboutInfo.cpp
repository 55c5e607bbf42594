#include "about/AboutInfo.h"

#include "terminal/Operator.h"

namespace AboutInfo {

QString caption()
{
    return QStringLiteral("About ") + applicationTitle();
}

QString title()
{
    return applicationTitle();
}

QString versionText(int major, int minor, int patch)
{
    return QStringLiteral("300-07415 Version %1.%2.%3").arg(major).arg(minor).arg(patch);
}

QString versionText()
{
    return versionText(CORVANE_VERSION_MAJOR, CORVANE_VERSION_MINOR, CORVANE_VERSION_PATCH);
}

QString description()
{
    return QStringLiteral("This program allows data to be interactively sent and received "
                          "from Corvane series printers.");
}

QString copyright()
{
    return QStringLiteral("Copyright \u00A9 2026 The Corvane Terminal developers. "
                          "All rights reserved.");
}

QString trademarks()
{
    return QStringLiteral("Corvane, R615DX, CV4200 and CV4700 are trademarks of their "
                          "owners. This program is provided as is, without warranty of "
                          "any kind.");
}

} // namespace AboutInfo
