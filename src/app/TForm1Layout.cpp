// The main window's layout, menus and quick keys.
#include "app/TForm1.h"

#include "autotree/ui/TreeBuildController.h"
#include "card/ui/CardController.h"
#include "diagram/ui/DiagramController.h"
#include "export/ui/ExportController.h"
#include "gedcom/ui/ImportController.h"
#include "list/ui/PersonListController.h"
#include "platform/Platform.h"
#include "widgets/NamedAction.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTabBar>
#include <QToolButton>
#include <QVBoxLayout>

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

} // namespace

void TForm1::buildLayout()
{
    buildMenus();
    buildViewPopup();

    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("centralArea"));
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    buildTabSet(central);
    column->addWidget(TabSet1);
    buildContentRow(central);
    buildQuickKeys();
    column->addWidget(Panel1);
    column->addWidget(contentRow, 1);
    setCentralWidget(central);
    connectMenus();
    buildStatusBar();

    for (QWidget* w : {static_cast<QWidget*>(TabSet1), Panel1, list_->Panel2})
        w->installEventFilter(this);
    card_->panel10->installEventFilter(this);
}

void TForm1::buildTabSet(QWidget* parent)
{
    TabSet1 = new QTabBar(parent);
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
}

// The client area with the three modes' controls, and the filter panel beside it.
void TForm1::buildContentRow(QWidget* parent)
{
    contentRow = new QWidget(parent);
    contentRow->setObjectName(QStringLiteral("contentRow"));
    auto* row = new QHBoxLayout(contentRow);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    clientArea = new ClientArea(this);
    clientArea->setObjectName(QStringLiteral("clientArea"));
    card_ = new CardController(store_, *this, clientArea);
    list_ = new PersonListController(store_, *this, *card_, clientArea, this);
    diagram_ = new DiagramController(store_, *this, *list_, pictures_, clientArea);
    import_ = new ImportController(store_, *this, *list_, *card_, this);
    export_ = new ExportController(store_, *this, *diagram_, this);
    trees_ = new TreeBuildController(store_, *this, *diagram_, this);
    row->addWidget(clientArea, 1);
    row->addWidget(list_->Panel2);
}

void TForm1::buildStatusBar()
{
    auto* bar = new QStatusBar(this);
    bar->setObjectName(QStringLiteral("StatusBar1"));
    bar->setSizeGripEnabled(false);
    statusLabel = new QLabel(bar);
    statusLabel->setObjectName(QStringLiteral("StatusBar1Text"));
    bar->addWidget(statusLabel, 1);
    bar->setFixedHeight(16);
    setStatusBar(bar);
    StatusBar1 = bar;
}

void TForm1::buildMenus()
{
    MainMenu1 = menuBar();
    MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
    buildFileMenu();

    QMenu* edit = MainMenu1->addMenu(QStringLiteral("Редактировать"));
    edit->setObjectName(QStringLiteral("N8"));
    buildHistoryActions(edit);
    N10 = addNamedAction(edit, "N10", "Копировать");
    N11 = addNamedAction(edit, "N11", "Вырезать");
    N12 = addNamedAction(edit, "N12", "Вставить");
    for (QAction* a : {N10, N11, N12})
        a->setEnabled(false);

    buildViewMenu();

    QMenu* options = MainMenu1->addMenu(QStringLiteral("Параметры"));
    options->setObjectName(QStringLiteral("N36"));
    N38 = addNamedAction(options, "N38", "Свойства изображения");

    QMenu* help = MainMenu1->addMenu(QStringLiteral("Помощь"));
    help->setObjectName(QStringLiteral("N19"));
    N20 = addNamedAction(help, "N20", "О программе");
}

void TForm1::buildFileMenu()
{
    QMenu* file = MainMenu1->addMenu(QStringLiteral("Файл"));
    file->setObjectName(QStringLiteral("N1"));
    N2 = addNamedAction(file, "N2", "Новый");
    OpenTree = addNamedAction(file, "OpenTree", "Открыть…");
    SaveTree = addNamedAction(file, "SaveTree", "Сохранить");
    SaveTreeAs = addNamedAction(file, "SaveTreeAs", "Сохранить как…");
    OpenTree->setShortcut(QKeySequence::Open);
    SaveTree->setShortcut(QKeySequence::Save);
    SaveTreeAs->setShortcut(QKeySequence(QStringLiteral("Ctrl+Shift+S")));
    N3 = addNamedAction(file, "N3", "Импорт");
    QMenu* exportMenu = file->addMenu(QStringLiteral("Экспорт"));
    exportMenu->setObjectName(QStringLiteral("N4menu"));
    N4 = exportMenu->menuAction();
    N4->setObjectName(QStringLiteral("N4"));
    Gedcom1 = addNamedAction(exportMenu, "Gedcom1", "Gedcom");
    ClipboardBMP1 = addNamedAction(exportMenu, "ClipboardBMP1", "Clipboard (BMP-1bit)");
    Image1 = addNamedAction(exportMenu, "Image1", "Изображение (PNG, SVG, PDF)…");
    txt1 = addNamedAction(exportMenu, "txt1", "Ген. росписи (txt)");
    recentFiles_ = file->addMenu(QStringLiteral("Недавние файлы"));
    recentFiles_->setObjectName(QStringLiteral("RecentFiles"));
    file->addSeparator();
    N23 = addNamedAction(file, "N23", "Установки принтера");
    N22 = addNamedAction(file, "N22", "Установки печати");
    N6 = addNamedAction(file, "N6", "Печать");
    N6->setEnabled(false);
    connect(file, &QMenu::aboutToShow, this, [this] { N6->setEnabled(export_->canPrint()); });
    file->addSeparator();
    N7 = addNamedAction(file, "N7", "Выход");
}

void TForm1::buildViewMenu()
{
    QMenu* view = MainMenu1->addMenu(QStringLiteral("Вид"));
    view->setObjectName(QStringLiteral("N16"));
    N18 = addNamedAction(view, "N18", "Панель фильтра");
    N17 = addNamedAction(view, "N17", "Быстрые клавиши");
    N24 = addNamedAction(view, "N24", "Переключение режимов");
    N37 = addNamedAction(view, "N37", "Информационная линейка");
    N39 = addNamedAction(view, "N39", "Навигатор по изображению");
    for (QAction* a : {N18, N17, N24, N37, N39}) {
        a->setCheckable(true);
        a->setChecked(a != N39);
    }
    N29 = addNamedAction(view, "N29", "Фильтр слева");
    view->addSeparator();
    N26 = addNamedAction(view, "N26", "Общий список");
    N27 = addNamedAction(view, "N27", "Персональная карточка");
    N28 = addNamedAction(view, "N28", "Графическая диаграмма");
    QAction* N31 = view->addSeparator();
    N31->setObjectName(QStringLiteral("N31"));
    N31->setVisible(false);
    N32 = addNamedAction(view, "N32", "Отрисовать древо заново");
    N33 = addNamedAction(view, "N33", "Стереть но не уничтожать");
    N34 = addNamedAction(view, "N34", "Сжать");
    for (QAction* a : {N32, N33, N34})
        a->setVisible(false);
}

void TForm1::connectMenus()
{
    connect(N2, &QAction::triggered, this, &TForm1::N2Click);
    connect(OpenTree, &QAction::triggered, this, &TForm1::openTree);
    connect(SaveTree, &QAction::triggered, this, &TForm1::saveTree);
    connect(SaveTreeAs, &QAction::triggered, this, &TForm1::saveTreeAs);
    connect(N3, &QAction::triggered, import_, &ImportController::N3Click);
    connect(Gedcom1, &QAction::triggered, export_, &ExportController::Gedcom1Click);
    connect(ClipboardBMP1, &QAction::triggered, export_, &ExportController::ClipboardBMP1Click);
    connect(Image1, &QAction::triggered, export_, &ExportController::Image1Click);
    connect(txt1, &QAction::triggered, export_, &ExportController::txt1Click);
    connect(N6, &QAction::triggered, export_, &ExportController::N6Click);
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
    connect(N32, &QAction::triggered, trees_, &TreeBuildController::N32Click);
    connect(N33, &QAction::triggered, trees_, &TreeBuildController::N33Click);
    connect(N34, &QAction::triggered, trees_, &TreeBuildController::N34Click);
    connect(N38, &QAction::triggered, this, &TForm1::N38Click);
    connect(N20, &QAction::triggered, this, &TForm1::N20Click);
}

void TForm1::buildViewPopup()
{
    RxPopupMenu1 = new QMenu(this);
    RxPopupMenu1->setObjectName(QStringLiteral("RxPopupMenu1"));
    N13 = addNamedAction(RxPopupMenu1, "N13", "Панель фильтра");
    N14 = addNamedAction(RxPopupMenu1, "N14", "Быстрые клавиши");
    N15 = addNamedAction(RxPopupMenu1, "N15", "Переключение режимов");
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
}

void TForm1::buildQuickKeys()
{
    Panel1 = new QWidget(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFixedHeight(29);
    list_->addQuickKeys(Panel1);
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
    RxSpeedButton1 = dropDown("RxSpeedButton1", "Строить", trees_->RxPopupMenu7);
}
