#pragma once
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

// A fixed dialog frame whose title bar carries only the close box.
inline Qt::WindowFlags dialogFlags()
{
    return Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
           Qt::MSWindowsFixedSizeDialogHint;
}

inline void centreOnScreen(QWidget* window)
{
    if (QScreen* screen = QGuiApplication::primaryScreen())
        window->move(screen->availableGeometry().center() - window->rect().center());
}
