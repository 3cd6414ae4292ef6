#include "platform/LargePages.h"
#include "app/BatchRun.h"
#include "app/CommandLine.h"
#include "app/TForm1.h"
#include "app/Translations.h"
#include "diagram/DiagramSettings.h"
#include "gedcom/ui/ImportController.h"
#include "platform/ApplicationSettings.h"
#include "platform/QtPlatform.h"

#include <QApplication>
#include <QGuiApplication>
#include <cstdio>

namespace {

void print(std::FILE* stream, const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stream);
}

QStringList argumentsOf(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

QtMessageHandler defaultMessageHandler = nullptr;

// Scripts read standard error for the steps' messages; Qt's remark that no
// runtime folder is set is no concern of theirs.
void batchMessageHandler(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (message.startsWith(QLatin1String("QStandardPaths:")))
        return;
    if (defaultMessageHandler)
        defaultMessageHandler(type, context, message);
}

int runWindow(int argc, char** argv, const QString& startFile)
{
    QApplication app(argc, argv);
    useApplicationName();
    installRussianTranslations(app);
    QtPlatform platform;
    TForm1 form(platform);
    form.createSecondaryWindows();
    form.show();
    form.reportMissingPictures();
    form.offerRecoveryCopies();
    form.openStartFile(startFile);
    return app.exec();
}

} // namespace

int main(int argc, char** argv)
{
    preferLargePagesForTheHeap();
    const CommandLine line = parseCommandLine(argumentsOf(argc, argv));
    switch (line.action) {
    case CommandLine::ShowVersion:
        print(stdout, MainFrame::applicationTitle() + QLatin1Char('\n'));
        return 0;
    case CommandLine::ShowHelp:
        print(stdout, commandLineHelp());
        return 0;
    case CommandLine::ShowManual:
        print(stdout, commandLineManual());
        return 0;
    case CommandLine::BadOption:
        print(stderr, QStringLiteral("Неизвестный параметр: %1\n").arg(line.badOption));
        print(stdout, commandLineHelp());
        return 2;
    case CommandLine::RunBatch: {
        // Drawing the diagram needs fonts, hence a GUI application, but never a display.
        qputenv("QT_QPA_PLATFORM", "offscreen");
        defaultMessageHandler = qInstallMessageHandler(batchMessageHandler);
        QGuiApplication app(argc, argv);
        useApplicationName();
        substituteDesignedFont();
        return runBatch(line, stdout, stderr);
    }
    case CommandLine::StartWindow:
        break;
    }
    return runWindow(argc, argv, line.startFile);
}
