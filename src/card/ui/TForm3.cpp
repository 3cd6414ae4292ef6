#include "card/ui/TForm3.h"

TForm3::TForm3()
    : SecondaryWindow(QStringLiteral("TForm3"), QStringLiteral("Дополнительная информация"), Qt::Window | Qt::WindowStaysOnTopHint)
{
}
