// The commands of the diagram's two popup menus.
#include "diagram/ui/DiagramController.h"

#include "list/PersonList.h"

#include "list/ui/PersonListController.h"
#include "platform/Platform.h"
#include "store/GenealogyStore.h"
#include "widgets/MainFrame.h"
#include "widgets/NamedAction.h"
#include "autotree/AncestorDepth.h"
#include "diagram/DiagramLayout.h"
#include "diagram/DiagramRows.h"
#include "diagram/ui/DiagramView.h"

#include <QMenu>
#include <cmath>

void DiagramController::buildMenus()
{
    PopupMenu1 = new QMenu(ScrollBox1);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    N40 = addNamedAction(PopupMenu1, "N40", "Указать родителя");
    N41 = addNamedAction(PopupMenu1, "N41", "Указать супруга");
    N62 = addNamedAction(PopupMenu1, "N62", "Добавить восходящее древо");
    PopupMenu1->addSeparator();
    N43 = addNamedAction(PopupMenu1, "N43", "Редактировать");
    N44 = addNamedAction(PopupMenu1, "N44", "Убрать с рисунка");
    N45 = addNamedAction(PopupMenu1, "N45", "Удалить из Б.Д.");
    N30 = addNamedAction(PopupMenu1, "N30", "Число поколений вверх");

    PopupMenu2 = new QMenu(ScrollBox1);
    PopupMenu2->setObjectName(QStringLiteral("PopupMenu2"));
    N46 = addNamedAction(PopupMenu2, "N46", "Добавить персонаж (Женщину)");
    N47 = addNamedAction(PopupMenu2, "N47", "Добавить персонаж (Мужчину)");
    N48 = addNamedAction(PopupMenu2, "N48", "Добавить персонаж (Из списка)");
    N61 = addNamedAction(PopupMenu2, "N61", "Добавить восходящее древо");
    PopupMenu2->addSeparator();
    N50 = addNamedAction(PopupMenu2, "N50", "Выровнять по сетке");
    N51 = addNamedAction(PopupMenu2, "N51", "Очистить диаграмму");
    N52 = addNamedAction(PopupMenu2, "N52", "Параметры изображения");
    PopupMenu2->addSeparator();
    N53 = addNamedAction(PopupMenu2, "N53", "Открыть в новом окне");
    for (QAction* shownDisabled : {N41, N62, N53})
        shownDisabled->setEnabled(false);

    const std::pair<QAction*, void (DiagramController::*)()> handlers[] = {
        {N40, &DiagramController::N40Click}, {N43, &DiagramController::N43Click}, {N44, &DiagramController::N44Click}, {N45, &DiagramController::N45Click},
        {N30, &DiagramController::N30Click}, {N46, &DiagramController::N46Click}, {N47, &DiagramController::N47Click}, {N48, &DiagramController::N48Click},
        {N61, &DiagramController::N61Click}, {N50, &DiagramController::N50Click}, {N51, &DiagramController::N51Click}, {N52, &DiagramController::N52Click}};
    for (const auto& [action, handler] : handlers)
        connect(action, &QAction::triggered, this, handler);
}

void DiagramController::insertPersonRowFor(int num, QPoint at, std::optional<bool> checked)
{
    RecordTable& persons = store_.persons;
    persons.locate(PersonField::num, num);
    const int type = persons.asBoolean(PersonField::sex) ? DiagramRowType::Male : DiagramRowType::Female;
    insertPersonRow(store_.diagram, type, at, persons.asString(PersonField::fam),
                    persons.asString(PersonField::name) + QLatin1Char(' ') + persons.asString(PersonField::surname),
                    num, checked);
}

void DiagramController::markFemale(int num)
{
    store_.persons.locate(PersonField::num, num);
    store_.persons.edit();
    store_.persons.setValue(PersonField::sex, false);
    store_.persons.post();
}

void DiagramController::addNewPersonBox(bool male)
{
    const HistoryStep step(store_.history, male ? QStringLiteral("добавление мужчины на диаграмму")
                                                : QStringLiteral("добавление женщины на диаграмму"));
    const int num = list_.AddPerson();
    if (!male)
        markFemale(num);
    insertPersonRowFor(num, popupPoint, false);
    const DiagramUnits units = diagramUnits();
    NormaliseDiagram(store_.diagram, units, *ScrollBox1);
    AlignToGrid(store_.diagram, units.h, units.v);
    EraseDiagram();
    DrawDiagram();
}

void DiagramController::N46Click()
{
    addNewPersonBox(false);
}

void DiagramController::N47Click()
{
    addNewPersonBox(true);
}

void DiagramController::N48Click()
{
    if (store_.persons.isEmpty()) {
        frame_.platform().showMessage(MainFrame::applicationTitle(), QStringLiteral("Нет записей в базе данных"));
        return;
    }
    frame_.hidePanelsForPick();
    frame_.HideMainMenu();
    frame_.selectTab(MainFrame::ListMode);
    pickingFromList = true;
    frame_.setStatusText(QStringLiteral("Укажите персонаж для добавления на графическую диаграмму"));
}

void DiagramController::AddPickedPerson()
{
    if (!pickingFromList)
        return;
    const HistoryStep step(store_.history, QStringLiteral("добавление персонажа на диаграмму"));
    const int num = store_.persons.asInteger(PersonField::num);
    const bool alreadyShown = personRowPosition(store_.diagram, num) >= 0;
    if (alreadyShown)
        frame_.platform().showMessage(MainFrame::applicationTitle(), QStringLiteral("Этот персонаж уже присутствует на древе"));
    else
        insertPersonRowFor(num, popupPoint, std::nullopt);
    pickingFromList = false;
    frame_.showCountsFromTables();
    frame_.selectTab(MainFrame::DiagramMode);
    sortLinesFirst(store_.diagram);
    // Lines of a person already shown are there already; adding them again would double them.
    if (!alreadyShown)
        addLinesOfPickedPerson(num);
    frame_.RestoreMainMenu();
    frame_.ApplyViewSettings();
    repaintDiagram();
}

// A line to every parent and child of this person who has a box, in link order.
void DiagramController::addLinesOfPickedPerson(int num)
{
    RecordTable& links = store_.links;
    std::vector<int> positions = links.positionsWithInteger(LinkField::id1, num);
    for (int p : links.positionsWithInteger(LinkField::id2, num))
        positions.push_back(p);
    std::sort(positions.begin(), positions.end());
    positions.erase(std::unique(positions.begin(), positions.end()), positions.end());
    for (int p : positions) {
        const RowId row = links.rowAt(p);
        const int parent = links.integerAt(row, LinkField::id1), child = links.integerAt(row, LinkField::id2);
        if (links.integerAt(row, LinkField::rel) == LinkKind::ParentOf
            && personRowPosition(store_.diagram, parent) >= 0 && personRowPosition(store_.diagram, child) >= 0)
            insertLineRow(store_.diagram, parent, child);
    }
}

void DiagramController::N61Click()
{
    const std::optional<QString> text = frame_.platform().inputText(QStringLiteral("Восходящее древо"),
                                                            QStringLiteral("Введите число поколений:"),
                                                            QStringLiteral("3"));
    if (!text)
        return;
    bool isNumber = false;
    const int generations = text->trimmed().toInt(&isNumber);
    if (!isNumber) {
        frame_.platform().showMessage(MainFrame::applicationTitle(), QStringLiteral("Вы должны ввести число"));
        return;
    }
    if (generations >= 10) {
        frame_.platform().showMessage(MainFrame::applicationTitle(), QStringLiteral("Слишком много"));
        return;
    }
    const HistoryStep step(store_.history, QStringLiteral("скелет восходящего древа"));
    AddAncestorSkeleton(generations, popupPoint.x(), popupPoint.y(), -2, true);
    sortLinesFirst(store_.diagram);
    const DiagramUnits units = diagramUnits();
    paintEnabled = false;
    NormaliseDiagram(store_.diagram, units, *ScrollBox1);
    AlignToGrid(store_.diagram, units.h, units.v);
    paintEnabled = true;
    repaintDiagram();
}

void DiagramController::AddAncestorSkeleton(int level, int x, int y, int child, bool male)
{
    if (level <= 0)
        return;
    const int num = list_.AddPerson();
    if (!male)
        markFemale(num);
    insertPersonRowFor(num, QPoint(x, y), false);
    if (personRowPosition(store_.diagram, child) >= 0) {
        insertLineRow(store_.diagram, child, num);
        store_.links.insertRecord({num, child, LinkKind::ParentOf});
    }
    const DiagramUnits units = diagramUnits();
    const double width = units.h * std::pow(2.0, level - 1);
    const int fatherX = int(std::nearbyint(x + width / 2));
    AddAncestorSkeleton(level - 1, fatherX, y - units.v, num, true);
    const int motherX = int(std::nearbyint(fatherX - width));
    AddAncestorSkeleton(level - 1, motherX, y - units.v, num, false);
}

void DiagramController::N40Click()
{
    pickingParent = true;
}

void DiagramController::N43Click()
{
    store_.persons.locate(PersonField::num, popupPerson);
    frame_.selectTab(MainFrame::CardMode);
}

void DiagramController::N44Click()
{
    const HistoryStep step(store_.history, QStringLiteral("удаление с рисунка"));
    paintEnabled = false;
    RemoveFromDiagram(store_.diagram, popupPerson);
    EraseDiagram();
    paintEnabled = true;
    PaintBox1Paint();
}

void DiagramController::N45Click()
{
    const HistoryStep step(store_.history, personDeletionStepName(store_.persons, popupPerson));
    paintEnabled = false;
    RemoveFromDiagram(store_.diagram, popupPerson);
    list_.DeletePerson(popupPerson);
    EraseDiagram();
    paintEnabled = true;
    PaintBox1Paint();
    frame_.showCountsFromTables();
}

void DiagramController::N30Click()
{
    bool cycle = false;
    const int depth = AncestorDepth(store_, popupPerson, &cycle);
    QString text = QString::number(depth) + QStringLiteral(" для ") + QString::number(popupPerson);
    if (cycle)
        text += QStringLiteral("\nВнимание: в связях есть цикл — персонаж оказывается собственным предком.");
    frame_.platform().showMessage(MainFrame::applicationTitle(), text);
}

void DiagramController::N50Click()
{
    const HistoryStep step(store_.history, QStringLiteral("выравнивание по сетке"));
    const DiagramUnits units = diagramUnits();
    AlignToGrid(store_.diagram, units.h, units.v);
    NormaliseDiagram(store_.diagram, units, *ScrollBox1);
    EraseDiagram();
    DrawDiagram();
}

void DiagramController::N51Click()
{
    const HistoryStep step(store_.history, QStringLiteral("очистка диаграммы"));
    clearDiagramTables(store_, *ScrollBox1);
    EraseDiagram();
}

void DiagramController::N52Click()
{
    showImageProperties();
}
