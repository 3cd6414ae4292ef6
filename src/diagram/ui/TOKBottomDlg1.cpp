#include "diagram/ui/TOKBottomDlg1.h"

TOKBottomDlg1::TOKBottomDlg1()
    : SecondaryWindow(QStringLiteral("TOKBottomDlg1"), QStringLiteral("Свойства изображения"), Qt::Dialog)
{
}
