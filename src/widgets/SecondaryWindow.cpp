#include "widgets/SecondaryWindow.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>

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
    // Shown again over a window it has just disabled, it would otherwise stay behind it, out of the keyboard's reach.
    if (activatesOnShow_) {
        raise();
        activateWindow();
    }
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

void SecondaryWindow::setDefaultButton(QPushButton* button)
{
    defaultButton_ = button;
    if (button)
        button->setDefault(true);
}

void SecondaryWindow::keyPressEvent(QKeyEvent* event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && event->modifiers() == Qt::NoModifier) {
        auto* focused = qobject_cast<QPushButton*>(QApplication::focusWidget());
        QPushButton* target = focused && isAncestorOf(focused) ? focused : defaultButton_.data();
        if (target && target->isVisible() && target->isEnabled()) {
            target->click();
            return;
        }
    }
    if (event->key() == Qt::Key_Escape && closesOnEscape_) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}
