#pragma once
#include <Qt>

// A fixed dialog frame whose title bar carries only the close box.
inline Qt::WindowFlags dialogFlags()
{
    return Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
           Qt::MSWindowsFixedSizeDialogHint;
}
