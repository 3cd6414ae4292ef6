#pragma once
#include <QPointer>
#include <QWidget>
#include <vector>

// A top-level window shown without a modal loop: while it is visible the
// windows it names are disabled, and they come back when it hides.
class SecondaryWindow : public QWidget {
    Q_OBJECT
public:
    explicit SecondaryWindow(const QString& objectName, const QString& caption, Qt::WindowFlags flags = Qt::Window);

    void setWindowsToDisable(std::vector<QWidget*> windows);

Q_SIGNALS:
    void hidden();
    void closed();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    std::vector<QPointer<QWidget>> disables_;
};
