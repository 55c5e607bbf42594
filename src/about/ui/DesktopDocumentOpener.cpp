#include "about/ui/DesktopDocumentOpener.h"

#include <QDesktopServices>
#include <QDir>
#include <QUrl>

void DesktopDocumentOpener::open(const QString &path)
{
    // A start folder at the root gives "//name"; as a URL that would name a host, so the
    // doubled separator is folded first.
    QDesktopServices::openUrl(QUrl::fromLocalFile(QDir::cleanPath(path)));
}
