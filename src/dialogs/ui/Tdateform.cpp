#include "dialogs/ui/Tdateform.h"

Tdateform::Tdateform()
    : SecondaryWindow(QStringLiteral("Tdateform"), QStringLiteral("Укажите дату: В 1.1.1900"), Qt::Dialog)
{
}
