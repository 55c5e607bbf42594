#include "ScreenshotRegistry.h"

#include <cstdio>

bool ScreenshotRegistry::add(const QString &name, Factory factory)
{
    if (!entries().emplace(name, std::move(factory)).second)
        std::fprintf(stderr, "corvane-screenshots: \"%s\" is registered twice\n", qPrintable(name));
    return true;
}

const std::map<QString, ScreenshotRegistry::Factory> &ScreenshotRegistry::all()
{
    return entries();
}

std::map<QString, ScreenshotRegistry::Factory> &ScreenshotRegistry::entries()
{
    // Built on first use: registrations run during static initialisation, in any order.
    static std::map<QString, Factory> map;
    return map;
}
