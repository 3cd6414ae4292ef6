#include "widgets/SecondaryWindow.h"

SecondaryWindow::SecondaryWindow(const QString& objectName, const QString& caption, Qt::WindowFlags flags)
    : QWidget(nullptr, flags)
{
    setObjectName(objectName);
    setWindowTitle(caption);
}

void SecondaryWindow::setWindowsToDisable(std::vector<QWidget*> windows)
{
    disables_.assign(windows.begin(), windows.end());
}

void SecondaryWindow::showEvent(QShowEvent* event)
{
    for (const QPointer<QWidget>& w : disables_)
        if (w)
            w->setEnabled(false);
    QWidget::showEvent(event);
}

void SecondaryWindow::hideEvent(QHideEvent* event)
{
    for (const QPointer<QWidget>& w : disables_)
        if (w)
            w->setEnabled(true);
    QWidget::hideEvent(event);
    Q_EMIT hidden();
}

void SecondaryWindow::closeEvent(QCloseEvent* event)
{
    QWidget::closeEvent(event);
    Q_EMIT closed();
}
