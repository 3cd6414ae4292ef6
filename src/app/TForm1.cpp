#include "app/TForm1.h"
#include "store/TreeHistory.h"

#include "card/ui/CardController.h"
#include "card/ui/TForm3.h"
#include "diagram/DiagramSettings.h"
#include "diagram/ui/DiagramController.h"
#include "diagram/ui/TForm4.h"
#include "diagram/ui/TOKBottomDlg1.h"
#include "dialogs/ui/TForm2.h"
#include "dialogs/ui/Tdateform.h"
#include "dialogs/ui/Tevents_form.h"
#include "dialogs/ui/Tnames_form.h"
#include "list/ui/FilterPanel.h"
#include "list/ui/PersonListController.h"
#include "platform/Platform.h"
#include "store/RecordTableModel.h"
#include "treefile/RecoveryCopy.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>
#include <QTabBar>
#include <QTableView>
#include <QTimer>
#include <QToolButton>

namespace {
constexpr int recoveryInterval = 2 * 60 * 1000;  // a crash loses at most this much typing
constexpr int recoveryRetryInterval = 5 * 1000;
}

SecondaryWindows::SecondaryWindows() = default;
SecondaryWindows::~SecondaryWindows() = default;

std::vector<QWidget*> SecondaryWindows::all() const
{
    std::vector<QWidget*> windows;
    for (QWidget* w : std::initializer_list<QWidget*>{navigator.get(), imageProperties.get(), dateDialog.get(),
                                                      nameDialog.get(), eventDialog.get(), linkDialog.get(),
                                                      noteDialog.get()})
        if (w)
            windows.push_back(w);
    return windows;
}

TForm1::TForm1(Platform& platform) : QMainWindow(nullptr), platform_(platform)
{
    setObjectName(QStringLiteral("TForm1"));
    updateCaption();
    substituteDesignedFont();
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPointSize(8);
    QApplication::setFont(font);  // secondary windows are top-level and take it from here
    setFont(font);
    platform_.setDialogParent(this);

    missingPictures_ = pictures_.loadFrom(pictureFolder());

    buildLayout();
    resize(602, 488);
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    setCountsText(0, 0);
    ShowListMode();
    watchHistory();
    rebuildRecentFiles();
    recovery_ = std::make_unique<RecoveryCopy>();
    auto* recoveryTimer = new QTimer(this);
    connect(recoveryTimer, &QTimer::timeout, this, &TForm1::recoveryTick);
    recoveryTimer->start(recoveryInterval);
    // A tick that meets a dialog tries again soon after, not two minutes later.
    recoveryRetry_ = new QTimer(this);
    recoveryRetry_->setSingleShot(true);
    recoveryRetry_->setInterval(recoveryRetryInterval);
    connect(recoveryRetry_, &QTimer::timeout, this, &TForm1::recoveryTick);
}

TForm1::~TForm1()
{
    // Leaving cleanly: nothing is left to recover.
    if (recovery_)
        recovery_->remove();
    // The grids' models watch tables of the store, which is a member and so dies
    // before the base class deletes the child widgets.
    qDeleteAll(findChildren<RecordTableModel*>());
}

void TForm1::createSecondaryWindows()
{
    windows_.navigator = std::make_unique<TForm4>();
    windows_.imageProperties = std::make_unique<TOKBottomDlg1>(platform_, pictures_);
    windows_.dateDialog = std::make_unique<Tdateform>(*this);
    windows_.nameDialog = std::make_unique<Tnames_form>(store_);
    windows_.eventDialog = std::make_unique<Tevents_form>(store_, *this);
    windows_.linkDialog = std::make_unique<TForm2>(store_, *this);
    windows_.noteDialog = std::make_unique<TForm3>(store_, platform_);

    windows_.imageProperties->setWindowsToDisable({this});
    for (SecondaryWindow* dialog : std::initializer_list<SecondaryWindow*>{
             windows_.nameDialog.get(), windows_.eventDialog.get(), windows_.linkDialog.get(),
             windows_.noteDialog.get()})
        dialog->setWindowsToDisable({this});
    windows_.dateDialog->setWindowsToDisable({windows_.eventDialog.get(), windows_.navigator.get()});
    windows_.dateDialog->setDeliveryButtons(list_->filterPanel->Button3, windows_.eventDialog->Button1);
    windows_.eventDialog->setDateDialog(windows_.dateDialog.get());
    list_->setDateDialog(windows_.dateDialog.get());
    card_->bindDialogs(*windows_.nameDialog, *windows_.eventDialog, *windows_.linkDialog);
    card_->setAddPerson([this] { return list_->AddPerson(); });
    card_->bindNoteDialog(*windows_.noteDialog);
    connect(windows_.navigator.get(), &SecondaryWindow::closed, this, [this] { N39->setChecked(false); });
    connect(windows_.imageProperties.get(), &TOKBottomDlg1::confirmed, this, &TForm1::confirmImageProperties);
    diagram_->bindWindows(*windows_.navigator, *windows_.imageProperties);
    for (QWidget* window : windows_.all())
        window->installEventFilter(this);
    store_.history.setSideState(diagram_->historySideState());
    // The dialog confirms itself once, so that its initial settings reach the canvas.
    windows_.imageProperties->OKBtnClick();
    store_.history.clear();
    markSaved();
}

void TForm1::confirmImageProperties()
{
    if (windows_.navigator && N39->isChecked() && mode_ == DiagramMode)
        windows_.navigator->show();
    const HistoryStep step(store_.history, QStringLiteral("свойства изображения"));
    diagram_->imagePropertiesConfirmed();
}

QString TForm1::statusText() const
{
    return statusLabel->text();
}

void TForm1::setStatusText(const QString& text)
{
    statusLabel->setText(text);
}

void TForm1::setCountsText(int persons, int links)
{
    setStatusText(QStringLiteral("Персонажей: %1 Связей: %2").arg(persons).arg(links));
}

void TForm1::showCountsFromTables()
{
    setCountsText(store_.persons.recordCount(), store_.links.recordCount());
}

void TForm1::FormResize()
{
    if (!card_ || !diagram_)
        return;
    diagram_->paintEnabled = false;
    card_->layOutGrids();
    diagram_->paintEnabled = true;
}

void TForm1::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    FormResize();
}

bool TForm1::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Show || event->type() == QEvent::Hide) {
        // Whatever the image properties dialog changes, up to its OK, is one step;
        // OK's own changes follow its hiding.
        if (windows_.imageProperties && watched == windows_.imageProperties.get()) {
            if (event->type() == QEvent::Show)
                store_.history.beginStep(QStringLiteral("свойства изображения"));
            else
                QTimer::singleShot(0, this, [this] { store_.history.endStep(); });
        }
        refreshHistoryActions();
    }
    if (watched == Panel1 && event->type() == QEvent::Resize)
        placeDropDownButtons();
    if (card_ && watched == card_->panel10 && event->type() == QEvent::Resize)
        FormResize();
    if (event->type() == QEvent::MouseButtonRelease) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        auto* widget = qobject_cast<QWidget*>(watched);
        if (mouse->button() == Qt::RightButton && widget
            && (widget == TabSet1 || widget == Panel1 || widget == list_->Panel2)) {
            ShowViewMenu(widget->mapTo(this, mouse->position().toPoint()));
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void TForm1::placeDropDownButtons()
{
    // Both keep their designed distance from the right edge of the 602-wide window.
    const int right = Panel1->width();
    RxSpeedButton1->move(right - 129, 2);
    RxSpeedButton2->move(right - 251, 2);
}
