// The mode switch, the completion of picks and the view options.
#include "app/TForm1.h"
#include "store/TreeHistory.h"

#include "card/ui/CardController.h"
#include "diagram/ui/DiagramController.h"
#include "diagram/ui/DiagramView.h"
#include "diagram/ui/TForm4.h"
#include "dialogs/EventEntry.h"
#include "dialogs/ui/TForm2.h"
#include "dialogs/ui/Tevents_form.h"
#include "list/ui/PersonListController.h"
#include "platform/Platform.h"

#include <QBoxLayout>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTabBar>
#include <QTableView>

void TForm1::selectTab(int index)
{
    if (index < 0 || index > DiagramMode || index == mode_)
        return;
    if (!TabSet1Change(index))
        return;
    mode_ = index;
    const QSignalBlocker block(TabSet1);
    TabSet1->setCurrentIndex(index);
    // Panels shown or hidden by the switch resize the client area only at the next
    // layout pass; what follows the switch (centring a tree) needs the sizes now.
    centralWidget()->layout()->activate();
    contentRow->layout()->activate();
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
    list_->BitBtn6->show();
    switch (newIndex) {
    case ListMode:
        ShowListMode();
        break;
    case CardMode:
        if (store_.persons.isEmpty()) {
            platform_.showMessage(applicationTitle(), QStringLiteral("Персонаж не создан"));
            allow = false;
            if (mode_ == DiagramMode)
                list_->BitBtn6->hide();
        } else if (!diagram_->pickingFromList) {
            ShowCardMode();
            RememberRecent(store_.persons.asInteger(PersonField::num));
        } else {
            allow = false;
        }
        break;
    case DiagramMode:
        ShowDiagramMode();
        list_->BitBtn6->hide();
        break;
    }
    if (pickingLinkPartner())
        completeLinkPick();
    if (pickingParticipant())
        completeParticipantPick();
    diagram_->AddPickedPerson();
    FormResize();
    refreshHistoryActions();
    return allow;
}

bool TForm1::pickingLinkPartner() const
{
    return windows_.linkDialog && windows_.linkDialog->pickingLinkPartner;
}

bool TForm1::pickingParticipant() const
{
    return windows_.eventDialog && windows_.eventDialog->pickingParticipant;
}

void TForm1::completeLinkPick()
{
    TForm2& dialog = *windows_.linkDialog;
    const int p = store_.persons.asInteger(PersonField::num);
    const int q = dialog.linkPartner;
    const HistoryStep step(store_.history, QStringLiteral("добавление связи"));
    switch (dialog.choice()) {
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
    card_->BuildCard(q);
    ApplyViewSettings();
    RestoreMainMenu();
    dialog.pickingLinkPartner = false;
}

void TForm1::completeParticipantPick()
{
    Tevents_form& dialog = *windows_.eventDialog;
    ApplyViewSettings();
    RestoreMainMenu();
    list_->Panel2->hide();
    addDraftParticipant(store_, store_.persons.asInteger(PersonField::num));
    card_->BuildCard(dialog.dialogPerson());
    dialog.resumeAfterPick();
}

void TForm1::endPick()
{
    refreshHistoryActions();
    RestoreMainMenu();
    ApplyViewSettings();
    showCountsFromTables();
}

// Escape in the list: the pick ends where it started, and nothing is written.
void TForm1::cancelPick()
{
    if (pickingLinkPartner()) {
        TForm2& dialog = *windows_.linkDialog;
        dialog.pickingLinkPartner = false;
        store_.persons.locate(PersonField::num, dialog.linkPartner);
        selectTab(CardMode);
        endPick();
    } else if (pickingParticipant()) {
        Tevents_form& dialog = *windows_.eventDialog;
        dialog.pickingParticipant = false;
        store_.persons.locate(PersonField::num, dialog.dialogPerson());
        selectTab(CardMode);
        endPick();
        dialog.resumeAfterPick();
    } else if (diagram_->pickingFromList) {
        diagram_->pickingFromList = false;
        selectTab(DiagramMode);
        endPick();
    }
}

void TForm1::ShowListMode()
{
    list_->Panel2->setVisible(N18->isChecked());
    list_->DBGrid1->show();
    list_->showNameColumn();
    if (windows_.navigator)
        windows_.navigator->hide();
    diagram_->ScrollBox1->hide();
    card_->panel10->hide();
    if (list_->DBGrid1->isVisible())
        list_->DBGrid1->setFocus();
}

void TForm1::ShowCardMode()
{
    card_->BuildCard(store_.persons.asInteger(PersonField::num));
    list_->Panel2->hide();
    if (windows_.navigator)
        windows_.navigator->hide();
    diagram_->ScrollBox1->hide();
    list_->DBGrid1->hide();
    card_->panel10->show();
}

void TForm1::ShowDiagramMode()
{
    card_->panel10->hide();
    list_->DBGrid1->hide();
    list_->Panel2->hide();
    if (windows_.navigator && N39->isChecked())
        windows_.navigator->show();
    diagram_->ScrollBox1->show();
}

void TForm1::ApplyViewSettings()
{
    const bool filterHidden = pickingLinkPartner() || mode_ == CardMode || mode_ == DiagramMode;
    list_->Panel2->setVisible(!filterHidden && N18->isChecked());
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
    QWidget* panel = list_->Panel2;
    row->removeWidget(panel);
    if (N29->text() == QStringLiteral("Фильтр слева")) {
        N29->setText(QStringLiteral("Фильтр справа"));
        row->insertWidget(0, panel);
    } else {
        N29->setText(QStringLiteral("Фильтр слева"));
        row->addWidget(panel);
    }
    row->activate();
}

void TForm1::ShowViewMenu(const QPoint& clientPos)
{
    platform_.popupMenu(RxPopupMenu1, mapToGlobal(clientPos));
}

void TForm1::hidePanelsForPick()
{
    Panel1->hide();
    TabSet1->hide();
}

void TForm1::HideMainMenu()
{
    MainMenu1->hide();
}

void TForm1::RestoreMainMenu()
{
    MainMenu1->show();
}
