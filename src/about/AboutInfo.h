#pragma once

#include <QString>

// What the About box shows: the title, the part number and version, the description and
// the program's legal texts.
namespace AboutInfo {

// "About " and the application title.
QString caption();
QString title();
// "300-07415 Version " and major.minor.patch.
QString versionText(int major, int minor, int patch);
// The version text of this build, from the project's version.
QString versionText();
QString description();
QString copyright();
QString trademarks();

} // namespace AboutInfo
