// The recent list: the last ten persons whose cards were opened.
#include "app/TForm1.h"

#include "card/ui/CardController.h"
#include "list/ui/PersonListController.h"

#include <QMenu>

void TForm1::RememberRecent(int num)
{
    const QString number = QString::number(num);
    bool present = false;
    for (QAction* entry : RxPopupMenu3->actions())
        present = present || entry->text() == number;
    if (num != 0 && !present) {
        const RecordTable& persons = store_.persons;
        const QString displayName = persons.asString(PersonField::name) + QLatin1Char(' ') +
                                    persons.asString(PersonField::surname) + QLatin1Char(' ') +
                                    persons.asString(PersonField::fam);
        auto* numberEntry = new QAction(number, RxPopupMenu3);
        auto* nameEntry = new QAction(displayName, RxPopupMenu5);
        connect(nameEntry, &QAction::triggered, this, [this, nameEntry] { OpenRecent(nameEntry); });
        const QList<QAction*> numbers = RxPopupMenu3->actions();
        const QList<QAction*> names = RxPopupMenu5->actions();
        RxPopupMenu3->insertAction(numbers.isEmpty() ? nullptr : numbers.first(), numberEntry);
        RxPopupMenu5->insertAction(names.isEmpty() ? nullptr : names.first(), nameEntry);
    }
    for (QMenu* menu : {RxPopupMenu3, RxPopupMenu5}) {
        const QList<QAction*> entries = menu->actions();
        if (entries.size() > 10) {
            menu->removeAction(entries[10]);
            entries[10]->deleteLater();
        }
    }
}

void TForm1::OpenRecent(QAction* entry)
{
    const int k = int(RxPopupMenu5->actions().indexOf(entry));
    const QList<QAction*> numbers = RxPopupMenu3->actions();
    if (k < 0 || k >= numbers.size())
        return;
    const int p = numbers[k]->text().toInt();
    list_->Button2Click();
    if (mode_ != CardMode) {
        store_.persons.locate(PersonField::num, p);
        selectTab(CardMode);
    } else {
        card_->BuildCard(p);
    }
}

QStringList TForm1::recentNumbers() const
{
    QStringList out;
    for (QAction* a : RxPopupMenu3->actions())
        out << a->text();
    return out;
}

QStringList TForm1::recentNames() const
{
    QStringList out;
    for (QAction* a : RxPopupMenu5->actions())
        out << a->text();
    return out;
}
