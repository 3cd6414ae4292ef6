// The commands of the diagram's two popup menus.
#include "app/TForm1.h"

#include "platform/Platform.h"
#include "autotree/AncestorDepth.h"
#include "diagram/DiagramLayout.h"
#include "diagram/DiagramRows.h"
#include "diagram/ui/DiagramView.h"

#include <QMenu>
#include <QTabBar>
#include <cmath>

void TForm1::buildDiagramMenus()
{
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    N40 = addAction(PopupMenu1, "N40", "Указать родителя");
    N41 = addAction(PopupMenu1, "N41", "Указать супруга");
    N62 = addAction(PopupMenu1, "N62", "Добавить восходящее древо");
    PopupMenu1->addSeparator();
    N43 = addAction(PopupMenu1, "N43", "Редактировать");
    N44 = addAction(PopupMenu1, "N44", "Убрать с рисунка");
    N45 = addAction(PopupMenu1, "N45", "Удалить из Б.Д.");
    N30 = addAction(PopupMenu1, "N30", "Число поколений вверх");

    PopupMenu2 = new QMenu(this);
    PopupMenu2->setObjectName(QStringLiteral("PopupMenu2"));
    N46 = addAction(PopupMenu2, "N46", "Добавить персонаж (Женщину)");
    N47 = addAction(PopupMenu2, "N47", "Добавить персонаж (Мужчину)");
    N48 = addAction(PopupMenu2, "N48", "Добавить персонаж (Из списка)");
    N61 = addAction(PopupMenu2, "N61", "Добавить восходящее древо");
    PopupMenu2->addSeparator();
    N50 = addAction(PopupMenu2, "N50", "Выровнять по сетке");
    N51 = addAction(PopupMenu2, "N51", "Очистить диаграмму");
    N52 = addAction(PopupMenu2, "N52", "Параметры изображения");
    PopupMenu2->addSeparator();
    N53 = addAction(PopupMenu2, "N53", "Открыть в новом окне");
    for (QAction* shownDisabled : {N41, N62, N53})
        shownDisabled->setEnabled(false);

    const std::pair<QAction*, void (TForm1::*)()> handlers[] = {
        {N40, &TForm1::N40Click}, {N43, &TForm1::N43Click}, {N44, &TForm1::N44Click}, {N45, &TForm1::N45Click},
        {N30, &TForm1::N30Click}, {N46, &TForm1::N46Click}, {N47, &TForm1::N47Click}, {N48, &TForm1::N48Click},
        {N61, &TForm1::N61Click}, {N50, &TForm1::N50Click}, {N51, &TForm1::N51Click}, {N52, &TForm1::N52Click}};
    for (const auto& [action, handler] : handlers)
        connect(action, &QAction::triggered, this, handler);
}

void TForm1::insertPersonRowFor(int num, QPoint at, std::optional<bool> checked)
{
    RecordTable& persons = store_.persons;
    persons.locate(PersonField::num, num);
    const int type = persons.asBoolean(PersonField::sex) ? DiagramRowType::Male : DiagramRowType::Female;
    insertPersonRow(store_.diagram, type, at, persons.asString(PersonField::fam),
                    persons.asString(PersonField::name) + QLatin1Char(' ') + persons.asString(PersonField::surname),
                    num, checked);
}

void TForm1::markFemale(int num)
{
    store_.persons.locate(PersonField::num, num);
    store_.persons.edit();
    store_.persons.setValue(PersonField::sex, false);
    store_.persons.post();
}

void TForm1::addNewPersonBox(bool male)
{
    const int num = AddPerson();
    if (!male)
        markFemale(num);
    insertPersonRowFor(num, popupPoint, false);
    const DiagramUnits units = diagramUnits();
    NormaliseDiagram(store_.diagram, units, *ScrollBox1);
    AlignToGrid(store_.diagram, units.h, units.v);
    EraseDiagram();
    DrawDiagram();
}

void TForm1::N46Click()
{
    addNewPersonBox(false);
}

void TForm1::N47Click()
{
    addNewPersonBox(true);
}

void TForm1::N48Click()
{
    if (store_.persons.isEmpty()) {
        platform_.showMessage(applicationTitle(), QStringLiteral("Нет записей в базе данных"));
        return;
    }
    Panel1->hide();
    TabSet1->hide();
    HideMainMenu();
    selectTab(ListMode);
    pickingFromList = true;
    setStatusText(QStringLiteral("Укажите персонаж для добавления на графическую диаграмму"));
}

void TForm1::AddPickedPerson()
{
    if (!pickingFromList)
        return;
    const int num = store_.persons.asInteger(PersonField::num);
    const bool alreadyShown = personRowPosition(store_.diagram, num) >= 0;
    if (alreadyShown)
        platform_.showMessage(applicationTitle(), QStringLiteral("Этот персонаж уже присутствует на древе"));
    else
        insertPersonRowFor(num, popupPoint, std::nullopt);
    pickingFromList = false;
    showCountsFromTables();
    selectTab(DiagramMode);
    sortLinesFirst(store_.diagram);
    // Lines of a person already shown are there already; adding them again would double them.
    if (!alreadyShown) {
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
    RestoreMainMenu();
    ApplyViewSettings();
    repaintDiagram();
}

void TForm1::N61Click()
{
    const std::optional<QString> text = platform_.inputText(QStringLiteral("Восходящее древо"),
                                                            QStringLiteral("Введите число поколений:"),
                                                            QStringLiteral("3"));
    if (!text)
        return;
    bool isNumber = false;
    const int generations = text->trimmed().toInt(&isNumber);
    if (!isNumber) {
        platform_.showMessage(applicationTitle(), QStringLiteral("Вы должны ввести число"));
        return;
    }
    if (generations >= 10) {
        platform_.showMessage(applicationTitle(), QStringLiteral("Слишком много"));
        return;
    }
    AddAncestorSkeleton(generations, popupPoint.x(), popupPoint.y(), -2, true);
    sortLinesFirst(store_.diagram);
    const DiagramUnits units = diagramUnits();
    paintEnabled = false;
    NormaliseDiagram(store_.diagram, units, *ScrollBox1);
    AlignToGrid(store_.diagram, units.h, units.v);
    paintEnabled = true;
    repaintDiagram();
}

void TForm1::AddAncestorSkeleton(int level, int x, int y, int child, bool male)
{
    if (level <= 0)
        return;
    const int num = AddPerson();
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

void TForm1::N40Click()
{
    pickingParent = true;
}

void TForm1::N43Click()
{
    store_.persons.locate(PersonField::num, popupPerson);
    selectTab(CardMode);
}

void TForm1::N44Click()
{
    paintEnabled = false;
    RemoveFromDiagram(store_.diagram, popupPerson);
    EraseDiagram();
    paintEnabled = true;
    PaintBox1Paint();
}

void TForm1::N45Click()
{
    paintEnabled = false;
    RemoveFromDiagram(store_.diagram, popupPerson);
    DeletePerson(popupPerson);
    EraseDiagram();
    paintEnabled = true;
    PaintBox1Paint();
    showCountsFromTables();
}

void TForm1::N30Click()
{
    bool cycle = false;
    const int depth = AncestorDepth(store_, popupPerson, &cycle);
    QString text = QString::number(depth) + QStringLiteral(" для ") + QString::number(popupPerson);
    if (cycle)
        text += QStringLiteral("\nВнимание: в связях есть цикл — персонаж оказывается собственным предком.");
    platform_.showMessage(applicationTitle(), text);
}

void TForm1::N50Click()
{
    const DiagramUnits units = diagramUnits();
    AlignToGrid(store_.diagram, units.h, units.v);
    NormaliseDiagram(store_.diagram, units, *ScrollBox1);
    EraseDiagram();
    DrawDiagram();
}

void TForm1::N51Click()
{
    store_.selection.emptyTable();
    store_.diagram.emptyTable();
    EraseDiagram();
    ScrollBox1->setRanges(0, 0);
}

void TForm1::N52Click()
{
    N38Click();
}
