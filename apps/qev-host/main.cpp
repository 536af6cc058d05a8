// qev-host: a reference host for the block library. It loads libovanto.so,
// keeps a system file of its own with the blocks' sections inside, and drives
// fixed-step simulations from a small plant model or a CSV series.

#include "block_library.h"
#include "host_session.h"
#include "main_form.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QWidget>

#include <cstdio>
#include <cstring>

namespace {

enum ExitCode { kOk = 0, kRunError = 1, kLibraryError = 2 };

void complain(const QString& text) { std::fprintf(stderr, "qev-host: %s\n", text.toLocal8Bit().constData()); }

// Every animation window of the process, side by side, as one picture.
QImage grabAnimationWindows() {
    QList<QPixmap> shots;
    int width = 0, height = 0;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        // By class name, or by object name for a window class without its own meta-object.
        const QLatin1String key("TForm1");
        if (!QString::fromLatin1(w->metaObject()->className()).contains(key) && !w->objectName().contains(key))
            continue;
        shots << w->grab();
        width += shots.back().width();
        height = std::max(height, shots.back().height());
    }
    if (shots.isEmpty())
        return {};
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    int x = 0;
    for (const QPixmap& s : shots) {
        p.drawPixmap(x, 0, s);
        x += s.width();
    }
    return image;
}

// Resources cannot be opened as file descriptors: copy them out first.
QString materialise(const QString& path, QTemporaryDir& dir) {
    if (!path.startsWith(QLatin1String(":/")))
        return path;
    const QString target = dir.filePath(QFileInfo(path).fileName());
    QFile::remove(target);
    QFile::copy(path, target);
    QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner);
    return target;
}

} // namespace

int main(int argc, char** argv) {
    for (int k = 1; k < argc; ++k)
        if (std::strcmp(argv[k], "--headless") == 0 && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("qev-host"));

    QCommandLineParser cli;
    cli.setApplicationDescription(QStringLiteral("Reference host for the Ovanto block library"));
    cli.addHelpOption();
    const QCommandLineOption library(QStringLiteral("library"), QStringLiteral("Block library to load."),
                                     QStringLiteral("path"), QApplication::applicationDirPath() + "/libovanto.so");
    const QCommandLineOption demo(QStringLiteral("demo"), QStringLiteral("Run the built-in demo system."));
    const QCommandLineOption headless(QStringLiteral("headless"), QStringLiteral("Run without a screen and exit."));
    const QCommandLineOption steps(QStringLiteral("steps"), QStringLiteral("Steps of a headless run."),
                                   QStringLiteral("n"), QStringLiteral("100"));
    const QCommandLineOption frames(QStringLiteral("frames"), QStringLiteral("Write frame_NNNN.png here after each headless step."),
                                    QStringLiteral("dir"));
    const QCommandLineOption fast(QStringLiteral("fast"), QStringLiteral("Run as fast as possible, not in real time."));
    const QCommandLineOption csv(QStringLiteral("csv"), QStringLiteral("Take the inputs from a CSV series (time, i1, i2, ...)."),
                                 QStringLiteral("file"));
    const QCommandLineOption hold(QStringLiteral("hold"), QStringLiteral("Hold CSV samples instead of interpolating."));
    const QCommandLineOption stepSize(QStringLiteral("step"), QStringLiteral("Step size in seconds."), QStringLiteral("s"));
    const QCommandLineOption save(QStringLiteral("save"), QStringLiteral("Write the system file here after a headless run."),
                                  QStringLiteral("file"));
    const QCommandLineOption qev(QStringLiteral("qev"), QStringLiteral("Load an animation file into every block."),
                                 QStringLiteral("file"));
    const QCommandLineOption run(QStringLiteral("run"), QStringLiteral("Start the simulation at once."));
    const QCommandLineOption force(
        QStringLiteral("force"), QStringLiteral("Save over a system file that did not read cleanly (kept as FILE.bak)."));
    cli.addOptions({library, demo, headless, steps, frames, fast, csv, hold, stepSize, save, qev, run, force});
    cli.addPositionalArgument(QStringLiteral("system"), QStringLiteral("System file to open."), QStringLiteral("[SYSTEMFILE]"));
    cli.process(app);

    QString error;
    std::unique_ptr<BlockLibrary> lib = BlockLibrary::load(cli.value(library), &error);
    if (!lib) {
        complain(error);
        return kLibraryError;
    }

    const bool isHeadless = cli.isSet(headless);
    QTemporaryDir scratch;
    HostSession session(*lib);
    session.setForce(cli.isSet(force));
    TMainForm form(session, cli.isSet(fast) || isHeadless);
    session.setHostWindow(isHeadless ? 0 : static_cast<std::uintptr_t>(form.winId()));

    QString systemPath = cli.positionalArguments().value(0);
    if (cli.isSet(demo) && systemPath.isEmpty())
        systemPath = QStringLiteral(":/demo/demo.vsys");
    if (!systemPath.isEmpty()) {
        const QString shown = systemPath.startsWith(QLatin1String(":/")) ? QString() : systemPath;
        const bool read = session.readSystem(materialise(systemPath, scratch), &error);
        for (const QString& warning : session.readWarnings())
            complain(warning);
        if (!read) {
            complain(error);
            if (isHeadless)
                return kRunError;
        }
        form.setSystemPath(shown);
    } else {
        session.addBlock();
    }

    SystemSettings& settings = session.settings();
    if (cli.isSet(csv)) {
        settings.csvInputs = true;
        settings.csvPath = QDir::current().absoluteFilePath(cli.value(csv));
    }
    if (cli.isSet(hold))
        settings.sampleHold = true;
    if (cli.isSet(stepSize)) {
        bool ok = false;
        const double h = cli.value(stepSize).toDouble(&ok);
        if (!ok || !(h > 0) || h > 3600) {
            complain(QStringLiteral("bad step size: %1").arg(cli.value(stepSize)));
            return kRunError;
        }
        settings.stepSize = h;
    }
    if (cli.isSet(qev)) {
        const QString path = materialise(cli.value(qev), scratch);
        for (int k = 0; k < session.blockCount(); ++k)
            session.loadAnimationFile(k, path);
    }

    if (!isHeadless) {
        form.show();
        if (cli.isSet(run) || cli.isSet(demo))
            form.startRun();
        const int rc = QApplication::exec();
        session.disposeAll();
        return rc;
    }

    bool ok = false;
    const long n = cli.value(steps).toLong(&ok);
    if (!ok || n < 0) {
        complain(QStringLiteral("bad step count: %1").arg(cli.value(steps)));
        return kRunError;
    }
    if (!session.prepareInputs(&error)) {
        complain(error);
        return kRunError;
    }
    const QString frameDir = cli.value(frames);
    if (!frameDir.isEmpty() && !QDir().mkpath(frameDir)) {
        complain(QStringLiteral("cannot create %1").arg(frameDir));
        return kRunError;
    }
    int written = 0;
    for (long k = 0; k < n; ++k) {
        if (k == 0)
            session.begin();
        else
            session.step();
        QApplication::processEvents();
        if (frameDir.isEmpty())
            continue;
        const QImage frame = grabAnimationWindows();
        if (frame.isNull())
            continue;
        const QString name = QStringLiteral("frame_%1.png").arg(k, 4, 10, QLatin1Char('0'));
        if (!frame.save(QDir(frameDir).filePath(name))) {
            complain(QStringLiteral("cannot write %1").arg(name));
            return kRunError;
        }
        ++written;
    }
    session.end();
    if (!frameDir.isEmpty() && written == 0)
        complain(QStringLiteral("no animation window to grab: no frames written"));
    if (cli.isSet(save) && !session.writeSystem(cli.value(save), &error)) {
        complain(error);
        session.disposeAll();
        return kRunError;
    }
    std::printf("%ld steps, t = %g s, %d frames\n", n, session.time(), written);
    session.disposeAll();
    return kOk;
}
