// The mode switch, the completion of picks, the view options and the recent list.
#include "app/TForm1.h"

#include "diagram/ui/TForm4.h"
#include "dialogs/ui/TForm2.h"
#include "dialogs/ui/Tevents_form.h"

#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include "diagram/ui/DiagramView.h"
#include <QStatusBar>
#include <QTabBar>
#include <QTableView>
#include "platform/Platform.h"

void TForm1::selectTab(int index)
{
    if (index < 0 || index > DiagramMode || index == mode_)
        return;
    if (!TabSet1Change(index))
        return;
    mode_ = index;
    const QSignalBlocker block(TabSet1);
    TabSet1->setCurrentIndex(index);
}

void TForm1::onTabBarChanged(int index)
{
    if (index == mode_)
        return;
    {
        // The bar has moved already; put it back until the switch agrees.
        const QSignalBlocker block(TabSet1);
        TabSet1->setCurrentIndex(mode_);
    }
    selectTab(index);
}

bool TForm1::TabSet1Change(int newIndex)
{
    bool allow = true;
    BitBtn6->show();
    switch (newIndex) {
    case ListMode:
        ShowListMode();
        break;
    case CardMode:
        if (store_.persons.isEmpty()) {
            platform_.showMessage(applicationTitle(), QStringLiteral("Персонаж не создан"));
            allow = false;
            if (mode_ == DiagramMode)
                BitBtn6->hide();
        } else if (!pickingFromList) {
            ShowCardMode();
            RememberRecent(store_.persons.asInteger(PersonField::num));
        } else {
            allow = false;
        }
        break;
    case DiagramMode:
        ShowDiagramMode();
        BitBtn6->hide();
        break;
    }
    if (pickingLinkPartner)
        completeLinkPick();
    if (pickingParticipant)
        completeParticipantPick();
    AddPickedPerson();
    FormResize();
    return allow;
}

void TForm1::completeLinkPick()
{
    const int p = store_.persons.asInteger(PersonField::num);
    const int q = linkPartner;
    const int choice = windows_.linkDialog ? windows_.linkDialog->choice() : TForm2::Parent;
    switch (choice) {
    case TForm2::Parent:
        store_.links.insertRecord({p, q, LinkKind::ParentOf});
        break;
    case TForm2::Child:
        store_.links.insertRecord({q, p, LinkKind::ParentOf});
        break;
    default:
        store_.links.insertRecord({q, p, LinkKind::Spouses});
        break;
    }
    RecordTable& diagram = store_.diagram;
    if (diagram.locate(DiagramField::owner, q) && diagram.locate(DiagramField::owner, p))
        diagram.insertRecord({3, q, p, "", "", -1, false});
    store_.persons.locate(PersonField::num, q);
    BuildCard(q);
    ApplyViewSettings();
    RestoreMainMenu();
    pickingLinkPartner = false;
}

void TForm1::completeParticipantPick()
{
    ApplyViewSettings();
    RestoreMainMenu();
    Panel2->hide();
    const RecordTable& persons = store_.persons;
    const QString displayName = persons.asString(PersonField::fam) + QLatin1Char(' ') +
                                persons.asString(PersonField::name) + QLatin1Char(' ') +
                                persons.asString(PersonField::surname);
    store_.eventDialogParticipants.insertRecord(
        {displayName, persons.asInteger(PersonField::num), "Неизвестна"});
    BuildCard(eventDialogPerson);
    if (windows_.eventDialog)
        windows_.eventDialog->show();
}

void TForm1::ShowListMode()
{
    Panel2->setVisible(N18->isChecked());
    DBGrid1->show();
    if (windows_.navigator)
        windows_.navigator->hide();
    ScrollBox1->hide();
    panel10->hide();
    if (DBGrid1->isVisible())
        DBGrid1->setFocus();
}

void TForm1::ShowCardMode()
{
    BuildCard(store_.persons.asInteger(PersonField::num));
    Panel2->hide();
    if (windows_.navigator)
        windows_.navigator->hide();
    ScrollBox1->hide();
    DBGrid1->hide();
    panel10->show();
}

void TForm1::ShowDiagramMode()
{
    panel10->hide();
    DBGrid1->hide();
    Panel2->hide();
    if (windows_.navigator && N39->isChecked())
        windows_.navigator->show();
    ScrollBox1->show();
}

void TForm1::ApplyViewSettings()
{
    const bool filterHidden = pickingLinkPartner || mode_ == CardMode || mode_ == DiagramMode;
    Panel2->setVisible(!filterHidden && N18->isChecked());
    Panel1->setVisible(N17->isChecked());
    TabSet1->setVisible(N24->isChecked());
}

void TForm1::N18Click(bool checked)
{
    N18->setChecked(checked);
    N13->setChecked(checked);
    if (mode_ != CardMode)
        ApplyViewSettings();
}

void TForm1::N17Click(bool checked)
{
    N17->setChecked(checked);
    N14->setChecked(checked);
    ApplyViewSettings();
}

void TForm1::N24Click(bool checked)
{
    N24->setChecked(checked);
    N15->setChecked(checked);
    ApplyViewSettings();
}

void TForm1::N37Click(bool checked)
{
    N37->setChecked(checked);
    StatusBar1->setVisible(checked);
}

void TForm1::N39Click(bool checked)
{
    N39->setChecked(checked);
    if (!windows_.navigator)
        return;
    if (mode_ == DiagramMode)
        windows_.navigator->setVisible(!windows_.navigator->isVisible());
    else
        windows_.navigator->hide();
}

void TForm1::N29Click()
{
    auto* row = static_cast<QBoxLayout*>(contentRow->layout());
    row->removeWidget(Panel2);
    if (N29->text() == QStringLiteral("Фильтр слева")) {
        N29->setText(QStringLiteral("Фильтр справа"));
        row->insertWidget(0, Panel2);
        leftFilter_ = true;
    } else {
        N29->setText(QStringLiteral("Фильтр слева"));
        row->addWidget(Panel2);
        leftFilter_ = false;
    }
    row->activate();
}

void TForm1::ShowViewMenu(const QPoint& clientPos)
{
    platform_.popupMenu(RxPopupMenu1, mapToGlobal(clientPos));
}

void TForm1::HideMainMenu()
{
    MainMenu1->hide();
}

void TForm1::RestoreMainMenu()
{
    MainMenu1->show();
}

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
    Button2Click();
    if (mode_ != CardMode) {
        store_.persons.locate(PersonField::num, p);
        selectTab(CardMode);
    } else {
        BuildCard(p);
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

void TForm1::DBGrid1Open()
{
    selectTab(CardMode);
}
