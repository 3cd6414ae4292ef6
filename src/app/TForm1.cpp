#include "app/TForm1.h"

#include "widgets/GridBinding.h"
#include "platform/Platform.h"
#include "widgets/RadioGroup.h"
#include "card/ui/TForm3.h"
#include "diagram/ui/DiagramView.h"
#include "diagram/ui/TForm4.h"
#include "diagram/ui/TOKBottomDlg1.h"
#include "dialogs/ui/TForm2.h"
#include "dialogs/ui/Tdateform.h"
#include "dialogs/ui/Tevents_form.h"
#include "dialogs/ui/Tnames_form.h"
#include "list/ui/FilterPanel.h"
#include "store/RecordTableModel.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTabBar>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

SecondaryWindows::SecondaryWindows() = default;
SecondaryWindows::~SecondaryWindows() = default;

namespace {

// Holds the three mode controls on top of each other, each filling it, so that
// a hidden one keeps the size it would have when shown.
class ClientArea : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void resizeEvent(QResizeEvent*) override
    {
        for (QObject* child : children())
            if (auto* w = qobject_cast<QWidget*>(child))
                w->setGeometry(rect());
    }
};

// The card panel lays its grids out by hand, as the window's resize rule says.
class CardPanel : public QWidget {
public:
    explicit CardPanel(TForm1* form, QWidget* parent) : QWidget(parent), form_(form) {}

protected:
    void resizeEvent(QResizeEvent*) override { form_->FormResize(); }

private:
    TForm1* form_;
};

} // namespace

QString TForm1::applicationTitle()
{
    return QStringLiteral("Арболитус 1.0");
}

TForm1::TForm1(Platform& platform) : QMainWindow(nullptr), platform_(platform)
{
    setObjectName(QStringLiteral("TForm1"));
    setWindowTitle(applicationTitle());
    // The designed font is narrow; a condensed sans keeps the designed layouts legible.
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                               {QStringLiteral("DejaVu Sans Condensed"), QStringLiteral("DejaVu Sans")});
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPointSize(8);
    QApplication::setFont(font);  // secondary windows are top-level and take it from here
    setFont(font);
    platform_.setDialogParent(this);

    paintEnabled = true;
    installPersonCallbacks();
    missingPictures_ = pictures_.loadFrom(pictureFolder());

    buildLayout();
    resize(602, 488);
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    setCountsText(0, 0);
    ShowListMode();
}

TForm1::~TForm1()
{
    // The grids' models watch tables of the store, which is a member and so dies
    // before the base class deletes the child widgets.
    qDeleteAll(findChildren<RecordTableModel*>());
}

void TForm1::createSecondaryWindows()
{
    windows_.navigator = std::make_unique<TForm4>();
    windows_.imageProperties = std::make_unique<TOKBottomDlg1>(platform_, pictures_);
    windows_.dateDialog = std::make_unique<Tdateform>();
    windows_.nameDialog = std::make_unique<Tnames_form>();
    windows_.eventDialog = std::make_unique<Tevents_form>();
    windows_.linkDialog = std::make_unique<TForm2>();
    windows_.noteDialog = std::make_unique<TForm3>();

    windows_.imageProperties->setWindowsToDisable({this});
    connect(windows_.navigator.get(), &SecondaryWindow::closed, this, [this] { N39->setChecked(false); });
    connect(windows_.imageProperties.get(), &TOKBottomDlg1::confirmed, this, &TForm1::imagePropertiesConfirmed);
    connect(windows_.imageProperties.get(), &TOKBottomDlg1::fontChosen, this, [this](const QFont& font) {
        canvasState.font = font;
    });
    NavigatorTarget navigated;
    navigated.scroll = ScrollBox1;
    navigated.items = &store_.diagram;
    navigated.units = [this] { return windows_.imageProperties->units(); };
    navigated.setUnits = [this](DiagramUnits units) { windows_.imageProperties->setUnits(units); };
    navigated.reportError = [this](const QString& text) { platform_.showMessage(applicationTitle(), text); };
    windows_.navigator->bind(navigated);
    connect(windows_.navigator.get(), &TForm4::diagramChanged, this, &TForm1::repaintDiagram);
    // The dialog confirms itself once, so that its initial settings reach the canvas.
    windows_.imageProperties->OKBtnClick();
}

void TForm1::buildLayout()
{
    buildMenus();
    buildViewPopup();

    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("centralArea"));
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    TabSet1 = new QTabBar(central);
    TabSet1->setObjectName(QStringLiteral("TabSet1"));
    QFont tabFont = TabSet1->font();
    tabFont.setPixelSize(16);
    TabSet1->setFont(tabFont);
    TabSet1->setExpanding(false);
    TabSet1->setDrawBase(true);
    TabSet1->addTab(QStringLiteral("Общий список"));
    TabSet1->addTab(QStringLiteral("Персональная карточка"));
    TabSet1->addTab(QStringLiteral("Графическая диаграмма"));
    TabSet1->setCurrentIndex(0);
    TabSet1->setFixedHeight(25);
    TabSet1->setStyleSheet(QStringLiteral(
        "QTabBar::tab { padding: 0px 6px; height: 22px; border: 1px solid #a0a0a0; background: #e6e6e6; }"
        "QTabBar::tab:selected { background: #ffffff; border-bottom-color: #ffffff; }"));
    connect(TabSet1, &QTabBar::currentChanged, this, &TForm1::onTabBarChanged);
    column->addWidget(TabSet1);

    buildQuickKeys();
    column->addWidget(Panel1);

    contentRow = new QWidget(central);
    contentRow->setObjectName(QStringLiteral("contentRow"));
    auto* row = new QHBoxLayout(contentRow);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    buildClientArea();
    buildFilterPanel();
    row->addWidget(clientArea, 1);
    row->addWidget(Panel2);
    column->addWidget(contentRow, 1);
    setCentralWidget(central);

    auto* bar = new QStatusBar(this);
    bar->setObjectName(QStringLiteral("StatusBar1"));
    bar->setSizeGripEnabled(false);
    statusLabel = new QLabel(bar);
    statusLabel->setObjectName(QStringLiteral("StatusBar1Text"));
    bar->addWidget(statusLabel, 1);
    bar->setFixedHeight(18);
    setStatusBar(bar);
    StatusBar1 = bar;

    for (QWidget* w : {static_cast<QWidget*>(TabSet1), Panel1, Panel2})
        w->installEventFilter(this);
}

QAction* TForm1::addAction(QMenu* menu, const char* objectName, const char* caption)
{
    QAction* action = menu->addAction(QString::fromUtf8(caption));
    action->setObjectName(QString::fromUtf8(objectName));
    return action;
}

void TForm1::buildMenus()
{
    MainMenu1 = menuBar();
    MainMenu1->setObjectName(QStringLiteral("MainMenu1"));

    QMenu* file = MainMenu1->addMenu(QStringLiteral("Файл"));
    file->setObjectName(QStringLiteral("N1"));
    N2 = addAction(file, "N2", "Новый");
    N3 = addAction(file, "N3", "Импорт");
    QMenu* exportMenu = file->addMenu(QStringLiteral("Экспорт"));
    exportMenu->setObjectName(QStringLiteral("N4menu"));
    N4 = exportMenu->menuAction();
    N4->setObjectName(QStringLiteral("N4"));
    Gedcom1 = addAction(exportMenu, "Gedcom1", "Gedcom");
    ClipboardBMP1 = addAction(exportMenu, "ClipboardBMP1", "Clipboard (BMP-1bit)");
    txt1 = addAction(exportMenu, "txt1", "Ген. росписи (txt)");
    Gedcom1->setEnabled(false);
    txt1->setEnabled(false);
    file->addSeparator();
    N23 = addAction(file, "N23", "Установки принтера");
    N22 = addAction(file, "N22", "Установки печати");
    N6 = addAction(file, "N6", "Печать");
    N6->setEnabled(false);
    file->addSeparator();
    N7 = addAction(file, "N7", "Выход");

    QMenu* edit = MainMenu1->addMenu(QStringLiteral("Редактировать"));
    edit->setObjectName(QStringLiteral("N8"));
    N10 = addAction(edit, "N10", "Копировать");
    N11 = addAction(edit, "N11", "Вырезать");
    N12 = addAction(edit, "N12", "Вставить");
    for (QAction* a : {N10, N11, N12})
        a->setEnabled(false);

    QMenu* view = MainMenu1->addMenu(QStringLiteral("Вид"));
    view->setObjectName(QStringLiteral("N16"));
    N18 = addAction(view, "N18", "Панель фильтра");
    N17 = addAction(view, "N17", "Быстрые клавиши");
    N24 = addAction(view, "N24", "Переключение режимов");
    N37 = addAction(view, "N37", "Информационная линейка");
    N39 = addAction(view, "N39", "Навигатор по изображению");
    for (QAction* a : {N18, N17, N24, N37, N39}) {
        a->setCheckable(true);
        a->setChecked(a != N39);
    }
    N29 = addAction(view, "N29", "Фильтр слева");
    view->addSeparator();
    N26 = addAction(view, "N26", "Общий список");
    N27 = addAction(view, "N27", "Персональная карточка");
    N28 = addAction(view, "N28", "Графическая диаграмма");
    QAction* hiddenSeparator = view->addSeparator();
    hiddenSeparator->setVisible(false);
    N32 = addAction(view, "N32", "Отрисовать древо заново");
    N33 = addAction(view, "N33", "Стереть но не уничтожать");
    N34 = addAction(view, "N34", "Сжать");
    for (QAction* a : {N32, N33, N34})
        a->setVisible(false);

    QMenu* options = MainMenu1->addMenu(QStringLiteral("Параметры"));
    options->setObjectName(QStringLiteral("N36"));
    N38 = addAction(options, "N38", "Свойства изображения");

    QMenu* help = MainMenu1->addMenu(QStringLiteral("Помощь"));
    help->setObjectName(QStringLiteral("N19"));
    N20 = addAction(help, "N20", "О программе");

    connect(N2, &QAction::triggered, this, &TForm1::N2Click);
    connect(N3, &QAction::triggered, this, &TForm1::N3Click);
    connect(ClipboardBMP1, &QAction::triggered, this, &TForm1::ClipboardBMP1Click);
    connect(N23, &QAction::triggered, this, [this] { platform_.printerSetup(); });
    connect(N22, &QAction::triggered, this, [this] { platform_.printDialog(); });
    connect(N7, &QAction::triggered, this, &TForm1::N7Click);
    connect(N18, &QAction::triggered, this, &TForm1::N18Click);
    connect(N17, &QAction::triggered, this, &TForm1::N17Click);
    connect(N24, &QAction::triggered, this, &TForm1::N24Click);
    connect(N37, &QAction::triggered, this, &TForm1::N37Click);
    connect(N39, &QAction::triggered, this, &TForm1::N39Click);
    connect(N29, &QAction::triggered, this, &TForm1::N29Click);
    connect(N26, &QAction::triggered, this, [this] { selectTab(ListMode); });
    connect(N27, &QAction::triggered, this, [this] { selectTab(CardMode); });
    connect(N28, &QAction::triggered, this, [this] { selectTab(DiagramMode); });
    connect(N38, &QAction::triggered, this, &TForm1::N38Click);
    connect(N20, &QAction::triggered, this, &TForm1::N20Click);
}

void TForm1::buildViewPopup()
{
    RxPopupMenu1 = new QMenu(this);
    RxPopupMenu1->setObjectName(QStringLiteral("RxPopupMenu1"));
    N13 = addAction(RxPopupMenu1, "N13", "Панель фильтра");
    N14 = addAction(RxPopupMenu1, "N14", "Быстрые клавиши");
    N15 = addAction(RxPopupMenu1, "N15", "Переключение режимов");
    const std::pair<QAction*, QAction*> twins[] = {{N13, N18}, {N14, N17}, {N15, N24}};
    for (auto [item, twin] : twins) {
        item->setCheckable(true);
        item->setChecked(true);
        // Qt has already flipped the popup item; the twin's handler sets both marks.
        connect(item, &QAction::triggered, twin, [twin] { twin->trigger(); });
    }

    RxPopupMenu3 = new QMenu(this);
    RxPopupMenu3->setObjectName(QStringLiteral("RxPopupMenu3"));
    RxPopupMenu5 = new QMenu(this);
    RxPopupMenu5->setObjectName(QStringLiteral("RxPopupMenu5"));

    RxPopupMenu7 = new QMenu(this);
    RxPopupMenu7->setObjectName(QStringLiteral("RxPopupMenu7"));
    MenuItem1 = addAction(RxPopupMenu7, "MenuItem1", "Восходящее мужское");
    MenuItem2 = addAction(RxPopupMenu7, "MenuItem2", "Восходящее");
    MenuItem3 = addAction(RxPopupMenu7, "MenuItem3", "Нисходящее");
    MenuItem4 = addAction(RxPopupMenu7, "MenuItem4", "Нисходящее смешанное");
    MenuItem5 = addAction(RxPopupMenu7, "MenuItem5", "Вся мужская ветвь");
    MenuItem6 = addAction(RxPopupMenu7, "MenuItem6", "Все возможные родственники");
    N35 = addAction(RxPopupMenu7, "N35", "Двунаправленное");
    for (QAction* a : {MenuItem1, MenuItem4, MenuItem5, MenuItem6})
        a->setEnabled(false);
}

static QPushButton* quickKey(QWidget* panel, const char* name, const char* caption, int x, QStyle::StandardPixmap icon)
{
    auto* button = new QPushButton(QString::fromUtf8(caption), panel);
    button->setObjectName(QString::fromUtf8(name));
    button->setGeometry(x, 2, 75, 25);
    button->setIcon(panel->style()->standardIcon(icon));
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

void TForm1::buildQuickKeys()
{
    Panel1 = new QWidget(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFixedHeight(29);
    BitBtn2 = quickKey(Panel1, "BitBtn2", "Вверх", 3, QStyle::SP_ArrowUp);
    BitBtn3 = quickKey(Panel1, "BitBtn3", "Вниз", 78, QStyle::SP_ArrowDown);
    BitBtn5 = quickKey(Panel1, "BitBtn5", "Добавить", 156, QStyle::SP_FileDialogNewFolder);
    BitBtn6 = quickKey(Panel1, "BitBtn6", "Удалить", 233, QStyle::SP_TrashIcon);
    connect(BitBtn2, &QPushButton::clicked, this, &TForm1::BitBtn2Click);
    connect(BitBtn3, &QPushButton::clicked, this, &TForm1::BitBtn3Click);
    connect(BitBtn5, &QPushButton::clicked, this, &TForm1::BitBtn5Click);
    connect(BitBtn6, &QPushButton::clicked, this, &TForm1::BitBtn6Click);

    auto dropDown = [this](const char* name, const char* caption, QMenu* menu) {
        auto* button = new QToolButton(Panel1);
        button->setObjectName(QString::fromUtf8(name));
        button->setText(QString::fromUtf8(caption));
        button->setMenu(menu);
        button->setPopupMode(QToolButton::InstantPopup);
        button->setToolButtonStyle(Qt::ToolButtonTextOnly);
        button->setFocusPolicy(Qt::NoFocus);
        button->resize(120, 25);
        return button;
    };
    RxSpeedButton2 = dropDown("RxSpeedButton2", "Последняя десятка", RxPopupMenu5);
    RxSpeedButton1 = dropDown("RxSpeedButton1", "Строить", RxPopupMenu7);
}

void TForm1::buildFilterPanel()
{
    Panel2 = new QFrame(this);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    static_cast<QFrame*>(Panel2)->setFrameShape(QFrame::StyledPanel);
    Panel2->setFixedWidth(287);
    auto* layout = new QVBoxLayout(Panel2);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* header = new QLabel(QStringLiteral("Фильтр:"), Panel2);
    header->setObjectName(QStringLiteral("Panel6"));
    header->setFixedHeight(16);
    header->setAlignment(Qt::AlignCenter);
    header->setFrameShape(QFrame::Panel);
    header->setFrameShadow(QFrame::Raised);
    Panel6 = header;
    filterPanel = new FilterPanel(Panel2);
    Panel7 = filterPanel;
    connect(filterPanel->Button1, &QPushButton::clicked, this, &TForm1::Button1Click);
    connect(filterPanel->Button2, &QPushButton::clicked, this, &TForm1::Button2Click);
    connect(filterPanel->Button3, &QPushButton::clicked, this, &TForm1::Button3Click);
    // The display names follow the selection at once, before any "Применить".
    connect(filterPanel->RadioGroup2, &RadioGroup::itemSelected, DBGrid1->viewport(), [this] { DBGrid1->viewport()->update(); });
    layout->addWidget(Panel6);
    layout->addWidget(Panel7, 1);
}

QTableView* TForm1::makeGrid(QWidget* parent, const char* objectName, RecordTable& table)
{
    return makeGrid(parent, objectName, table, RecordTableModel::visibleFieldColumns(table));
}

QTableView* TForm1::makeGrid(QWidget* parent, const char* objectName, RecordTable& table,
                             const std::vector<GridColumn>& columns)
{
    auto* grid = new QTableView(parent);
    grid->setObjectName(QString::fromUtf8(objectName));
    auto* model = new RecordTableModel(table, columns, grid);
    model->setObjectName(QString::fromUtf8(objectName) + QStringLiteral("Model"));
    bindGrid(grid, model);
    return grid;
}

void TForm1::buildClientArea()
{
    clientArea = new ClientArea(this);
    clientArea->setObjectName(QStringLiteral("clientArea"));

    DBGrid1 = makeGrid(clientArea, "DBGrid1", store_.persons);
    personsModel = static_cast<RecordTableModel*>(DBGrid1->model());
    DBGrid1->setFrameShape(QFrame::NoFrame);
    DBGrid1->installEventFilter(this);
    connect(DBGrid1, &QTableView::doubleClicked, this, [this] { DBGrid1Open(); });

    buildCardPanel();

    buildDiagramView();
}

void TForm1::buildCardPanel()
{
    panel10 = new CardPanel(this, clientArea);
    panel10->setObjectName(QStringLiteral("panel10"));
    const QString visio = QStringLiteral("Связи:");
    DBGrid2 = makeGrid(panel10, "DBGrid2", store_.cardLines, {{CardLineField::visio, visio, 40}});
    DBGrid3 = makeGrid(panel10, "DBGrid3", store_.cardEvents,
                       {{CardEventField::type, QStringLiteral("Тип события"), 20},
                        {CardEventField::date, QStringLiteral("Дата"), 30},
                        {CardEventField::function, QStringLiteral("Роль персоны"), 30, 150},
                        {CardEventField::place, QStringLiteral("Место действия"), 150}});
    DBGrid4 = makeGrid(panel10, "DBGrid4", store_.cardNames,
                       {{NameField::NameType, QStringLiteral("Тип имени"), 20},
                        {NameField::sex, QStringLiteral("Пол"), 10, 70},
                        {NameField::name, QStringLiteral("Фамилия Имя /Отчество/"), 250}});
    DBGrid5 = makeGrid(panel10, "DBGrid5", store_.cardComments,
                       {{CardCommentField::header, QStringLiteral("Комментарии"), 20, 400}});
    DBGrid6 = makeGrid(panel10, "DBGrid6", store_.cardMedia,
                       {{CardMediaField::header, QStringLiteral("Медиа - файлы"), 20, 300}});
    for (QTableView* grid : {DBGrid2, DBGrid3, DBGrid4, DBGrid5, DBGrid6}) {
        grid->setFocusPolicy(Qt::ClickFocus);  // skipped by the Tab key
        grid->horizontalHeader()->setStyleSheet(QStringLiteral("QHeaderView { color: blue; }"));
    }
    PopupMenu3 = new QMenu(this);
    PopupMenu3->setObjectName(QStringLiteral("PopupMenu3"));
    PopupMenu4 = new QMenu(this);
    PopupMenu4->setObjectName(QStringLiteral("PopupMenu4"));
    PopupMenu5 = new QMenu(this);
    PopupMenu5->setObjectName(QStringLiteral("PopupMenu5"));
    bindContextMenu(DBGrid3, PopupMenu3);
    bindContextMenu(DBGrid4, PopupMenu3);
    bindContextMenu(DBGrid2, PopupMenu4);
    bindContextMenu(DBGrid5, PopupMenu5);
    bindContextMenu(DBGrid6, PopupMenu5);
    connect(DBGrid2, &QTableView::clicked, this, [this] { DBGrid2CellClick(); });
    DBGrid4->setGeometry(1, 2, 134, 108);
    DBGrid3->setGeometry(1, 112, 134, 100);
    DBGrid2->resize(165, 100);
}

void TForm1::FormResize()
{
    if (!panel10 || !DBGrid2)
        return;
    paintEnabled = false;
    const int panelWidth = panel10->width();
    const int panelHeight = panel10->height();
    // DBGrid2 is docked at the right; DBGrid4 and DBGrid3 keep their right edge beside it.
    DBGrid2->setGeometry(panelWidth - DBGrid2->width(), 0, DBGrid2->width(), panelHeight);
    const int leftWidth = std::max(0, panelWidth - DBGrid2->width() - 2);
    DBGrid4->setGeometry(1, 2, leftWidth, DBGrid4->height());

    const int w = (panelWidth - DBGrid2->width() - 20) / 2;
    const int h = (panelHeight - DBGrid4->height() - 20) / 2;
    DBGrid3->setGeometry(1, 112, leftWidth, std::max(0, h));
    const int top = DBGrid3->height() + DBGrid4->height() + 10;
    DBGrid5->setGeometry(1, top, std::max(0, w), std::max(0, h));
    DBGrid6->setGeometry(w + 16, top, std::max(0, w), std::max(0, h));
    paintEnabled = true;
}

void TForm1::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    FormResize();
}

bool TForm1::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Panel1 && event->type() == QEvent::Resize) {
        // The two drop-down buttons keep their distance from the right edge.
        const int right = Panel1->width();
        RxSpeedButton1->move(right - 6 - 120, 2);
        RxSpeedButton2->move(right - 6 - 242, 2);
    }
    if (event->type() == QEvent::MouseButtonRelease) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        auto* widget = qobject_cast<QWidget*>(watched);
        if (mouse->button() == Qt::RightButton && widget && (widget == TabSet1 || widget == Panel1 || widget == Panel2)) {
            ShowViewMenu(widget->mapTo(this, mouse->position().toPoint()));
            return true;
        }
    }
    if (watched == DBGrid1 && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            DBGrid1Open();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}
