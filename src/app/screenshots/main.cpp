#include "ScreenshotContext.h"
#include "ScreenshotRegistry.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QPixmap>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>

#include <cstdio>

namespace {

// Lets timers that batch repaints (the transcript's frame timer) and layouts run.
void settle()
{
    QEventLoop loop;
    QTimer::singleShot(100, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace

// Renders every registered window (or the ones named on the command line) to
// <folder>/<name>.png.
int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QStringList args = QApplication::arguments().mid(1);
    if (args.isEmpty()) {
        std::fputs("usage: corvane-screenshots FOLDER [NAME...]\n", stderr);
        return 2;
    }
    const QDir folder(args.takeFirst());
    if (!folder.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "corvane-screenshots: cannot create %s\n", qPrintable(folder.path()));
        return 1;
    }
    // Windows read and may write the settings store: keep them off the user's own.
    QTemporaryDir store;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, store.path());

    int failures = 0;
    for (const QString &name : args) {
        if (!ScreenshotRegistry::all().count(name)) {
            std::fprintf(stderr, "corvane-screenshots: no window is registered as \"%s\"\n",
                         qPrintable(name));
            ++failures;
        }
    }
    for (const auto &[name, factory] : ScreenshotRegistry::all()) {
        if (!args.isEmpty() && !args.contains(name))
            continue;
        ScreenshotContext context;
        QWidget *widget = factory(context);
        if (!widget) {
            std::fprintf(stderr, "corvane-screenshots: %s: nothing to render\n", qPrintable(name));
            ++failures;
            continue;
        }
        widget->show();
        settle();
        const QString path = folder.filePath(name + QStringLiteral(".png"));
        if (!widget->grab().save(path)) {
            std::fprintf(stderr, "corvane-screenshots: cannot write %s\n", qPrintable(path));
            ++failures;
            continue;
        }
        std::printf("%s\n", qPrintable(path));
        widget->hide();
    }
    return failures == 0 ? 0 : 1;
}
