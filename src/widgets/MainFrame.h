#pragma once
#include <QString>

class Platform;
class QWidget;

// What a subsystem's controller may ask of the main window, so that no
// controller needs the window class itself.
class MainFrame {
public:
    enum Mode { ListMode = 0, CardMode = 1, DiagramMode = 2 };

    static QString applicationTitle() { return QStringLiteral("Арболитус 1.0"); }

    // The mode is the tab index; selecting a tab runs the mode switch, which may refuse.
    virtual int mode() const = 0;
    virtual void selectTab(int index) = 0;

    virtual QString statusText() const = 0;
    virtual void setStatusText(const QString& text) = 0;
    virtual void setCountsText(int persons, int links) = 0;
    virtual void showCountsFromTables() = 0;
    // The caption: the application title, with ": " and the file name when one is given.
    virtual void showFileInCaption(const QString& fileName) = 0;
    // The name a chooser proposes for a file made of the tree, without its suffix:
    // the tree file's, else the imported file's, else "Древо".
    virtual QString treeName() const = 0;

    virtual void ApplyViewSettings() = 0;
    virtual void HideMainMenu() = 0;
    virtual void RestoreMainMenu() = 0;
    // A pick leaves only the list: the quick keys and the tabs go.
    virtual void hidePanelsForPick() = 0;
    // Ends any pick under way without writing anything, and returns where it started.
    virtual void cancelPick() = 0;

    virtual void RememberRecent(int num) = 0;

    virtual Platform& platform() = 0;
    // The main window itself, as the parent of progress windows and the window dialogs disable.
    virtual QWidget* frameWindow() = 0;

protected:
    ~MainFrame() = default;
};
