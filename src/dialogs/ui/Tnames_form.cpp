#include "dialogs/ui/Tnames_form.h"

Tnames_form::Tnames_form()
    : SecondaryWindow(QStringLiteral("Tnames_form"), QStringLiteral("Имя"), Qt::Dialog)
{
}
