#pragma once

#include <QString>

#include <functional>
#include <map>

class QWidget;
class ScreenshotContext;

// The windows the screenshot program renders, by name. A window joins with one source
// file in this folder that registers it at start-up:
//
//     const bool registered = ScreenshotRegistry::add(
//         QStringLiteral("main-window"), [](ScreenshotContext &context) -> QWidget * {
//             return &context.mainWindow();
//         });
//
// The factory builds the window (the context keeps the terminal core and the main window
// alive), fills it with sample content and returns the widget to render; the program
// shows it, lets it settle and saves <name>.png.
class ScreenshotRegistry
{
public:
    using Factory = std::function<QWidget *(ScreenshotContext &)>;

    // Always true, so that a file-scope constant can hold the result.
    static bool add(const QString &name, Factory factory);
    static const std::map<QString, Factory> &all();

private:
    static std::map<QString, Factory> &entries();
};
