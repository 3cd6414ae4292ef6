#include "app/Translations.h"

#include <QApplication>
#include <QStandardPaths>
#include <gtest/gtest.h>

int strayHistoryChanges = 0;

namespace {
QtMessageHandler defaultHandler = nullptr;

// The offscreen platform complains about window-manager calls it cannot do.
void quietHandler(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (message.startsWith(QLatin1String("This plugin does not support")) ||
        message.startsWith(QLatin1String("QStandardPaths:")))
        return;
    // A command changed the tree outside a step of the undo history; tests
    // that seed a window's tables directly do so too, so it is counted.
    if (message.startsWith(QLatin1String("kept table "))) {
        ++strayHistoryChanges;
        return;
    }
    if (defaultHandler)
        defaultHandler(type, context, message);
}
} // namespace

// Widgets need an application object; tests run on the offscreen platform.
int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("ARBOLITUS_DAT"))
        qputenv("ARBOLITUS_DAT", ARBOLITUS_SOURCE_DAT);
    defaultHandler = qInstallMessageHandler(quietHandler);
    // Settings and recovery files of tests never touch the user's own.
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    // Tests see the windows in the language users see them in.
    installRussianTranslations(app);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
