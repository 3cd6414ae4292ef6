#include "dialogs/ui/Tevents_form.h"

Tevents_form::Tevents_form()
    : SecondaryWindow(QStringLiteral("Tevents_form"), QStringLiteral("События"), Qt::Dialog)
{
}
