#include "diagram/ui/TForm4.h"

TForm4::TForm4()
    : SecondaryWindow(QStringLiteral("TForm4"), QStringLiteral("Навигатор"), Qt::Tool | Qt::WindowStaysOnTopHint)
{
}
