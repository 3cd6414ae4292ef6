// The commands of the card's popup menus on the names, events and card lines grids.
#include "card/ui/CardController.h"

#include "card/CardBuilder.h"
#include "dialogs/EventEntry.h"
#include "dialogs/NameEntry.h"
#include "dialogs/ui/TForm2.h"
#include "dialogs/ui/Tevents_form.h"
#include "dialogs/ui/Tnames_form.h"
#include "platform/Platform.h"
#include "widgets/RadioGroup.h"
#include "store/GenealogyStore.h"
#include "widgets/MainFrame.h"
#include "widgets/NamedAction.h"

#include <QComboBox>
#include <QEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QTableView>

void CardController::focusLineAt(QTableView* grid, QPoint viewportPos)
{
    grid->setFocus(Qt::MouseFocusReason);
    const QModelIndex index = grid->indexAt(viewportPos);
    if (index.isValid())
        grid->setCurrentIndex(index);
}

void CardController::buildCommands()
{
    N56 = addNamedAction(PopupMenu3, "N56", "Редактировать");
    N57 = addNamedAction(PopupMenu3, "N57", "Добавить");
    N58 = addNamedAction(PopupMenu3, "N58", "Удалить");
    N63 = PopupMenu3->addSeparator();
    N63->setObjectName(QStringLiteral("N63"));
    N64 = addNamedAction(PopupMenu3, "N64", "Комментарий по теме");
    N65 = addNamedAction(PopupMenu3, "N65", "Медиа файл по теме");

    N59 = addNamedAction(PopupMenu4, "N59", "Добавить ссылку");
    N60 = addNamedAction(PopupMenu4, "N60", "Удалить ссылку");
    N66 = PopupMenu4->addSeparator();
    N66->setObjectName(QStringLiteral("N66"));
    N67 = addNamedAction(PopupMenu4, "N67", "Добавить отца");
    N68 = addNamedAction(PopupMenu4, "N68", "Добавить мать");
    N69 = addNamedAction(PopupMenu4, "N69", "Добавить сына");
    N70 = addNamedAction(PopupMenu4, "N70", "Добавить дочь");
    N71 = addNamedAction(PopupMenu4, "N71", "Добавить супруга");
    N72 = addNamedAction(PopupMenu4, "N72", "Добавить брата");
    N73 = addNamedAction(PopupMenu4, "N73", "Добавить сестру");
    N72->setEnabled(false);
    N73->setEnabled(false);

    const std::pair<QAction*, void (CardController::*)()> handlers[] = {
        {N56, &CardController::N56Click}, {N57, &CardController::N57Click}, {N58, &CardController::N58Click},
        {N64, &CardController::N64Click}, {N65, &CardController::N65Click}, {N59, &CardController::N59Click},
        {N60, &CardController::N60Click}};
    for (const auto& [action, handler] : handlers)
        connect(action, &QAction::triggered, this, handler);
    const std::pair<QAction*, Relative> relatives[] = {{N67, Relative::Father}, {N68, Relative::Mother},
                                                       {N69, Relative::Son}, {N70, Relative::Daughter},
                                                       {N71, Relative::Spouse}};
    for (const auto& [action, kind] : relatives)
        connect(action, &QAction::triggered, this, [this, kind = kind] { AddRelative(kind); });

    for (QTableView* grid : {DBGrid2, DBGrid3, DBGrid4}) {
        grid->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(grid, &QWidget::customContextMenuRequested, this, [this, grid](const QPoint& pos) {
            focusLineAt(grid, pos);
            if (grid == DBGrid2)
                PopupMenu4Popup();
            else
                PopupMenu3Popup();
        });
        grid->viewport()->installEventFilter(this);
    }
    buildNoteCommands();
}

bool CardController::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonDblClick) {
        const QPoint pos = static_cast<QMouseEvent*>(event)->position().toPoint();
        if (watched == DBGrid3->viewport()) {
            focusLineAt(DBGrid3, pos);
            DBGrid3DblClick();
            return true;
        }
        if (watched == DBGrid4->viewport()) {
            focusLineAt(DBGrid4, pos);
            DBGrid4DblClick();
            return true;
        }
        if (watched == DBGrid5->viewport()) {
            focusLineAt(DBGrid5, pos);
            DBGrid5DblClick();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

void CardController::bindDialogs(Tnames_form& names, Tevents_form& events, TForm2& link)
{
    nameDialog_ = &names;
    eventDialog_ = &events;
    linkDialog_ = &link;
    connect(&names, &Tnames_form::nameStored, this, &CardController::BuildCard);
    connect(&events, &Tevents_form::eventStored, this, &CardController::BuildCard);
}

// The focus as the window keeps it, also while a popup menu holds the keyboard.
bool CardController::hasFocus(QTableView* grid) const
{
    return panel10->window()->focusWidget() == grid;
}

int CardController::cardPerson() const
{
    return store_.persons.asInteger(PersonField::num);
}

void CardController::PopupMenu3Popup()
{
    for (QAction* action : {N56, N64, N65})
        action->setEnabled(true);
    if (hasFocus(DBGrid4))
        N58->setEnabled(store_.cardNames.recordCount() >= 2);
    if (hasFocus(DBGrid3)) {
        const bool any = !store_.cardEvents.isEmpty();
        for (QAction* action : {N58, N56, N64, N65})
            action->setEnabled(any);
    }
}

void CardController::N56Click()
{
    editFlag = true;
    if (hasFocus(DBGrid4))
        editName();
    if (hasFocus(DBGrid3))
        editEvent();
}

void CardController::editName()
{
    const RecordTable& names = store_.cardNames;
    if (!nameDialog_ || names.isEmpty())
        return;
    const ReplacedName replaced = cardNameAt(names);
    NameEntry entry;
    entry.type = names.asString(CardNameField::NameType);
    // The main name's boxes come from the persons row: a split of the joined
    // name would move a given name without a family name into "Фамилия:".
    entry.parts = replaced.isMain ? mainNameParts(store_.persons) : splitName(names.asString(CardNameField::name));
    entry.sex = sexChoiceOf(names);
    nameDialog_->showFor(entry, replaced);
}

void CardController::editEvent()
{
    RecordTable& cardEvents = store_.cardEvents;
    if (!eventDialog_ || cardEvents.isEmpty())
        return;
    QString type = cardEvents.asString(CardEventField::type);
    QString date = cardEvents.asString(CardEventField::date);
    QString place = cardEvents.asString(CardEventField::place);
    const QString role = cardEvents.asString(CardEventField::function);
    // The card's copies are cut short; the dialog writes back what it shows, so it shows the store's texts.
    if (store_.events.locate(EventField::id, cardEvents.asInteger(CardEventField::id))) {
        type = store_.events.asString(EventField::type);
        date = store_.events.asString(EventField::date);
        place = store_.events.asString(EventField::place);
    }
    eventDialog_->ComboBox1->setCurrentText(type);
    eventDialog_->Button1->setText(date.isEmpty() ? EventText::NoDate : date);
    eventDialog_->ComboBox2->setCurrentText(place);
    eventDialog_->ComboBox3->setCurrentText(role);
    eventDialog_->showFresh(true);
}

void CardController::N57Click()
{
    editFlag = false;
    if (hasFocus(DBGrid4))
        addName();
    if (hasFocus(DBGrid3))
        addEvent();
}

void CardController::addName()
{
    if (!nameDialog_)
        return;
    NameEntry entry;
    entry.type = NameText::Alternative;
    // The sex choice stays as the last use left it.
    const int sex = nameDialog_->RadioGroup1->itemIndex();
    entry.sex = sex < 0 ? SexChoice::Male : SexChoice(sex);
    nameDialog_->showFor(entry, std::nullopt);
}

void CardController::addEvent()
{
    if (!eventDialog_)
        return;
    eventDialog_->ComboBox1->setCurrentText(QStringLiteral("Свадьба"));
    eventDialog_->Button1->setText(EventText::NoDate);
    eventDialog_->ComboBox2->setCurrentText(QStringLiteral("Неизвестно"));
    eventDialog_->ComboBox3->setCurrentText(EventText::UnknownRole);
    store_.eventDialogParticipants.emptyTable();
    eventDialog_->showFresh(false);
}

void CardController::N58Click()
{
    const int person = cardPerson();
    if (hasFocus(DBGrid4) && !store_.cardNames.isEmpty()) {
        const ReplacedName name = cardNameAt(store_.cardNames);
        if (name.isMain) {
            frame_.platform().showMessage(MainFrame::applicationTitle(), QStringLiteral("Основное имя удалить нельзя"));
            return;
        }
        const HistoryStep step(store_.history, QStringLiteral("удаление имени"));
        removeStoredName(store_, person, name.nameRow);
        BuildCard(person);
    }
    if (hasFocus(DBGrid3) && !store_.cardEvents.isEmpty()) {
        const HistoryStep step(store_.history, QStringLiteral("удаление события из карточки"));
        removeParticipation(store_, person, store_.cardEvents.asInteger(CardEventField::id),
                            store_.cardEvents.asString(CardEventField::function));
        BuildCard(person);
    }
}

void CardController::DBGrid3DblClick()
{
    if (!store_.cardEvents.isEmpty())
        N56Click();
}

void CardController::DBGrid4DblClick()
{
    if (!store_.cardNames.isEmpty())
        N56Click();
}

void CardController::N64Click()
{
    if (DBGrid5->isVisible())
        DBGrid5->setFocus();
}

void CardController::N65Click()
{
    if (DBGrid6->isVisible())
        DBGrid6->setFocus();
}

void CardController::PopupMenu4Popup()
{
    for (QAction* action : {N66, N67, N68, N69, N70, N71})
        action->setVisible(false);
    if (!hasFocus(DBGrid2))
        return;
    N59->setEnabled(store_.persons.recordCount() >= 2);
    N60->setEnabled(!store_.cardLines.isEmpty());
    for (QAction* action : {N66, N67, N68, N69, N70, N71})
        action->setVisible(true);
}

void CardController::N59Click()
{
    if (hasFocus(DBGrid2) && linkDialog_) {
        linkDialog_->show();
        linkDialog_->raise();
        linkDialog_->activateWindow();
    }
}

void CardController::N60Click()
{
    RecordTable& lines = store_.cardLines;
    if (lines.isEmpty())
        return;
    const HistoryStep step(store_.history, QStringLiteral("удаление ссылки"));
    deleteLinkOfLine(store_, cardPerson(), lines.asInteger(CardLineField::link), lines.asInteger(CardLineField::type));
    lines.deleteRecord();
    frame_.showCountsFromTables();
}

void CardController::AddRelative(Relative kind)
{
    if (!addPerson_ || store_.persons.isEmpty())
        return;
    const HistoryStep step(store_.history, QStringLiteral("добавление родственника"));
    const int c = cardPerson();
    const bool cardPersonMale = store_.persons.asBoolean(PersonField::sex);
    const int n = addPerson_();
    linkNewRelative(store_, c, cardPersonMale, n, kind);
    BuildCard(store_.persons.asInteger(PersonField::num));
    frame_.showCountsFromTables();
}
