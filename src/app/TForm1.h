#pragma once
#include "diagram/LegendPictures.h"
#include "store/GenealogyStore.h"
#include "widgets/MainFrame.h"

#include <QMainWindow>
#include <memory>

class CardController;
class QTimer;
class RecoveryCopy;
class TreeBuildController;
class DiagramController;
class ExportController;
class ImportController;
class PersonListController;
class QAction;
class QLabel;
class QMenu;
class QMenuBar;
class QTabBar;
class QToolButton;
class TForm4;
class TOKBottomDlg1;
class Tdateform;
class Tnames_form;
class Tevents_form;
class TForm2;
class TForm3;

// The secondary windows, created after the main window in this order.
struct SecondaryWindows {
    std::unique_ptr<TForm4> navigator;
    std::unique_ptr<TOKBottomDlg1> imageProperties;
    std::unique_ptr<Tdateform> dateDialog;
    std::unique_ptr<Tnames_form> nameDialog;
    std::unique_ptr<Tevents_form> eventDialog;
    std::unique_ptr<TForm2> linkDialog;
    std::unique_ptr<TForm3> noteDialog;

    SecondaryWindows();
    ~SecondaryWindows();
    // The ones created so far.
    std::vector<QWidget*> all() const;
};

// The main window as a frame: it owns the store, lays out the three modes,
// carries the menus, the view options and the recent list, switches modes and
// completes the picks. Each mode's controls and handlers live in its controller.
class TForm1 : public QMainWindow, public MainFrame {
    Q_OBJECT
public:
    explicit TForm1(Platform& platform);
    ~TForm1() override;

    // Creates the secondary windows and wires them to this window.
    void createSecondaryWindows();
    SecondaryWindows& windows() { return windows_; }

    GenealogyStore& store() { return store_; }
    LegendPictures& pictures() { return pictures_; }
    QStringList missingPictures() const { return missingPictures_; }
    // Tells the user once which picture files could not be read.
    void reportMissingPictures();

    CardController& card() { return *card_; }
    PersonListController& list() { return *list_; }
    DiagramController& diagram() { return *diagram_; }
    ImportController& importer() { return *import_; }
    ExportController& exporter() { return *export_; }
    TreeBuildController& trees() { return *trees_; }

    // The frame's services to the controllers.
    int mode() const override { return mode_; }
    void selectTab(int index) override;
    QString statusText() const override;
    void setStatusText(const QString& text) override;
    void setCountsText(int persons, int links) override;
    void showCountsFromTables() override;
    void showFileInCaption(const QString& fileName) override;
    QString treeName() const override;
    void ApplyViewSettings() override;
    void HideMainMenu() override;
    void RestoreMainMenu() override;
    void hidePanelsForPick() override;
    void RememberRecent(int num) override;
    Platform& platform() override { return platform_; }
    QWidget* frameWindow() override { return this; }

    void ShowViewMenu(const QPoint& clientPos);
    void OpenRecent(QAction* entry);
    QStringList recentNumbers() const;
    QStringList recentNames() const;

    void cancelPick() override;

    // Menu handlers.
    void N2Click();   // "Новый"
    void N7Click();   // "Выход"
    void N18Click(bool checked);
    void N17Click(bool checked);
    void N24Click(bool checked);
    void N37Click(bool checked);
    void N39Click(bool checked);
    void N29Click();
    void N20Click();
    void N38Click();
    void FormResize();

    // The tree file.
    void openTree();
    bool saveTree();
    bool saveTreeAs();
    // Replaces the tree by the file's; false, with a message, when the file is refused.
    bool loadTreeFile(const QString& path);
    QString treeFile() const { return treeFile_; }
    bool treeModified() const { return modified_; }
    // The recovery copy: written every two minutes while there are unsaved
    // changes; copies left by instances that are gone are offered at start.
    // False while the previous copy is still being written.
    bool writeRecoveryCopy();
    // The recovery timer's tick: writes the copy when no dialog or long command
    // is under way, else tries again a few seconds later.
    void recoveryTick();
    bool recoveryRetryPending() const;
    void offerRecoveryCopies();
    // The tree file or GEDCOM file named on the command line, after any recovery copy.
    void openStartFile(const QString& path);
    RecoveryCopy* recoveryCopy() { return recovery_.get(); }

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool TabSet1Change(int newIndex);
    void completeLinkPick();
    void completeParticipantPick();
    bool pickingLinkPartner() const;
    bool pickingParticipant() const;
    void endPick();
    void ShowListMode();
    void ShowCardMode();
    void ShowDiagramMode();
    void onTabBarChanged(int index);

    void buildLayout();
    void buildTabSet(QWidget* parent);
    void buildContentRow(QWidget* parent);
    void buildStatusBar();
    void buildMenus();
    void buildFileMenu();
    void buildViewMenu();
    void connectMenus();
    void buildViewPopup();
    void buildQuickKeys();
    void placeDropDownButtons();
    void confirmImageProperties();
    void startNewTree();
    // "Новый" once the unsaved changes are settled.
    void resetToNewTree();
    void markSaved();
    // The undo history: TForm1History.cpp.
    void buildHistoryActions(QMenu* edit);
    void watchHistory();
    bool historyBlocked() const;
    void refreshHistoryActions();
    void undoStep();
    void redoStep();
    void showSavedState(bool saved);
    void followHistory();
    void updateCaption();
    bool maySaveChanges();
    bool writeTree(const QString& path);
    void rememberTreeFile(const QString& path);
    void rebuildRecentFiles();
    void openRecentFile(const QString& path);
    bool replaceTree(const QString& path);

    Platform& platform_;
    GenealogyStore store_;
    LegendPictures pictures_;
    QStringList missingPictures_;
    SecondaryWindows windows_;
    int mode_ = ListMode;
    QString treeFile_;    // the file the tree is kept in, if any
    QString captionName_; // the imported file's name, shown while there is no tree file
    bool modified_ = false;
    std::unique_ptr<RecoveryCopy> recovery_;
    QTimer* recoveryRetry_ = nullptr;

    CardController* card_ = nullptr;
    PersonListController* list_ = nullptr;
    DiagramController* diagram_ = nullptr;
    ImportController* import_ = nullptr;
    ExportController* export_ = nullptr;
    TreeBuildController* trees_ = nullptr;

    // The frame's own controls, by their designed names.
    QTabBar* TabSet1 = nullptr;
    QWidget* Panel1 = nullptr;  // quick keys
    QToolButton* RxSpeedButton2 = nullptr;
    QToolButton* RxSpeedButton1 = nullptr;
    QWidget* StatusBar1 = nullptr;
    QLabel* statusLabel = nullptr;
    QWidget* clientArea = nullptr;
    QWidget* contentRow = nullptr;
    QMenuBar* MainMenu1 = nullptr;
    QAction *OpenTree = nullptr, *SaveTree = nullptr, *SaveTreeAs = nullptr;
    QMenu* recentFiles_ = nullptr;  // "Недавние файлы"
    QAction *N2 = nullptr, *N3 = nullptr, *N4 = nullptr, *Gedcom1 = nullptr, *ClipboardBMP1 = nullptr, *Image1 = nullptr,
            *txt1 = nullptr;
    QAction *N23 = nullptr, *N22 = nullptr, *N6 = nullptr, *N7 = nullptr;
    QAction *UndoStep = nullptr, *RedoStep = nullptr;  // "Отменить", "Повторить"
    QAction *N10 = nullptr, *N11 = nullptr, *N12 = nullptr;
    QAction *N18 = nullptr, *N17 = nullptr, *N24 = nullptr, *N37 = nullptr, *N39 = nullptr, *N29 = nullptr;
    QAction *N26 = nullptr, *N27 = nullptr, *N28 = nullptr, *N32 = nullptr, *N33 = nullptr, *N34 = nullptr;
    QAction *N38 = nullptr, *N20 = nullptr;
    QMenu* RxPopupMenu1 = nullptr;  // view popup
    QAction *N13 = nullptr, *N14 = nullptr, *N15 = nullptr;
    QMenu* RxPopupMenu3 = nullptr;  // recent numbers, never shown
    QMenu* RxPopupMenu5 = nullptr;  // recent names, drop-down of "Последняя десятка"
};
