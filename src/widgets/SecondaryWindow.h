#pragma once
#include <QPointer>
#include <QWidget>
#include <vector>

class QPushButton;

// A top-level window shown without a modal loop: while it is visible the
// windows it names are disabled, and they come back when it hides.
class SecondaryWindow : public QWidget {
    Q_OBJECT
public:
    explicit SecondaryWindow(const QString& objectName, const QString& caption, Qt::WindowFlags flags = Qt::Window);

    void setWindowsToDisable(std::vector<QWidget*> windows);
    // Enter anywhere in the window presses this button, unless another button has the focus.
    void setDefaultButton(QPushButton* button);
    // Escape closes the window only where the window asks for it.
    void setClosesOnEscape(bool closes) { closesOnEscape_ = closes; }
    // A dialog comes to the front with the keyboard when shown; a tool window that
    // accompanies the main window leaves the keyboard where it is.
    void setActivatesOnShow(bool activates) { activatesOnShow_ = activates; }

Q_SIGNALS:
    void hidden();
    void closed();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    std::vector<QPointer<QWidget>> disables_;
    QPointer<QPushButton> defaultButton_;
    bool closesOnEscape_ = false;
    bool activatesOnShow_ = true;
};
