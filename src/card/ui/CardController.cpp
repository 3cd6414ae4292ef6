#include "card/ui/CardController.h"

#include "card/CardBuilder.h"
#include "platform/Platform.h"
#include "store/GenealogyStore.h"
#include "store/RecordTableModel.h"
#include "widgets/GridBinding.h"
#include "widgets/MainFrame.h"

#include <QHeaderView>
#include <QMenu>
#include <QTableView>

CardController::CardController(GenealogyStore& store, MainFrame& frame, QWidget* clientArea)
    : QObject(clientArea), store_(store), frame_(frame)
{
    setObjectName(QStringLiteral("cardController"));
    // RxMemoryData3visioGetText
    store_.cardLines.setDisplayCallback(CardLineField::visio,
                                        [this](RowId row) { return cardLineText(store_.cardLines, row); });
    panel10 = new QWidget(clientArea);
    panel10->setObjectName(QStringLiteral("panel10"));
    buildGrids();
    buildMenus();
}

void CardController::buildGrids()
{
    const QString visio = QStringLiteral("Связи:");
    DBGrid2 = makeBoundGrid(panel10, "DBGrid2", store_.cardLines, {{CardLineField::visio, visio, 40}});
    DBGrid3 = makeBoundGrid(panel10, "DBGrid3", store_.cardEvents,
                            {{CardEventField::type, QStringLiteral("Тип события"), 20},
                             {CardEventField::date, QStringLiteral("Дата"), 32},
                             {CardEventField::function, QStringLiteral("Роль персоны"), 30, 150},
                             {CardEventField::place, QStringLiteral("Место действия"), 150}});
    DBGrid4 = makeBoundGrid(panel10, "DBGrid4", store_.cardNames,
                            {{NameField::NameType, QStringLiteral("Тип имени"), 20},
                             {NameField::sex, QStringLiteral("Пол"), 10, 70},
                             {NameField::name, QStringLiteral("Фамилия Имя /Отчество/"), 250}});
    DBGrid5 = makeBoundGrid(panel10, "DBGrid5", store_.cardComments,
                            {{CardCommentField::header, QStringLiteral("Комментарии"), 20, 400}});
    DBGrid6 = makeBoundGrid(panel10, "DBGrid6", store_.cardMedia,
                            {{CardMediaField::header, QStringLiteral("Медиа - файлы"), 20, 300}});
    for (QTableView* grid : {DBGrid2, DBGrid3, DBGrid4, DBGrid5, DBGrid6}) {
        grid->setFocusPolicy(Qt::ClickFocus);  // skipped by the Tab key
        grid->horizontalHeader()->setStyleSheet(QStringLiteral("QHeaderView { color: blue; }"));
    }
    connect(DBGrid2, &QTableView::clicked, this, [this] { DBGrid2CellClick(); });
    DBGrid4->setGeometry(1, 2, 134, 108);
    DBGrid3->setGeometry(1, 112, 134, 100);
    DBGrid2->resize(165, 100);
}

void CardController::buildMenus()
{
    auto menu = [this](const char* name) {
        auto* m = new QMenu(panel10);
        m->setObjectName(QString::fromUtf8(name));
        return m;
    };
    PopupMenu3 = menu("PopupMenu3");
    PopupMenu4 = menu("PopupMenu4");
    PopupMenu5 = menu("PopupMenu5");
    // Before the menus are bound: a right click first makes its grid and row current.
    buildCommands();
    Platform& platform = frame_.platform();
    bindContextMenu(DBGrid3, PopupMenu3, platform);
    bindContextMenu(DBGrid4, PopupMenu3, platform);
    bindContextMenu(DBGrid2, PopupMenu4, platform);
    bindContextMenu(DBGrid5, PopupMenu5, platform);
    bindContextMenu(DBGrid6, PopupMenu5, platform);
}

void CardController::BuildCard(int num)
{
    if (!fillCardTables(store_, num)) {
        if (!store_.persons.isEmpty())
            frame_.platform().showMessage(MainFrame::applicationTitle(), QStringLiteral("Персонаж не найден. "));
        return;
    }
    if (frame_.mode() == MainFrame::CardMode)
        frame_.RememberRecent(num);
}

void CardController::DBGrid2CellClick()
{
    if (!store_.cardLines.isEmpty())
        BuildCard(store_.cardLines.asInteger(CardLineField::link));
}

void CardController::layOutGrids()
{
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
}
