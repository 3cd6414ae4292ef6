#include "app/QtPlatform.h"
#include "app/TForm1.h"

#include <QApplication>
#include <QDir>
#include <cstdio>
#include <cstring>

namespace {

void printHelp()
{
    std::fputs("Использование: arbolitus [ПАРАМЕТРЫ]\n"
               "Редактор родословных деревьев.\n\n"
               "  --version   показать название и версию программы и выйти\n"
               "  --help      показать эту справку и выйти\n",
               stdout);
}

} // namespace

int main(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--version") == 0) {
            std::puts("Арболитус 1.0");
            return 0;
        }
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            printHelp();
            return 0;
        }
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ARBOLITUS"));
    QtPlatform platform;
    TForm1 form(platform);
    form.createSecondaryWindows();
    form.show();
    form.reportMissingPictures();
    return app.exec();
}
