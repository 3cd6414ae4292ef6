#include "dialogs/ui/Tevents_form.h"
#include "widgets/NamedLabel.h"

#include "dialogs/EventEntry.h"
#include "dialogs/ui/DialogFlags.h"
#include "dialogs/ui/Tdateform.h"
#include "platform/Platform.h"
#include "store/GenealogyStore.h"
#include "store/RecordTableModel.h"
#include "widgets/GridBinding.h"
#include "widgets/MainFrame.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QTableView>
#include <QTableWidget>

namespace {

QPushButton* button(QWidget* parent, const char* name, const char* caption, QRect geometry)
{
    auto* b = new QPushButton(QString::fromUtf8(caption), parent);
    b->setObjectName(QString::fromUtf8(name));
    b->setGeometry(geometry);
    return b;
}

// An editable box whose text is cut at the size of the field it goes to.
QComboBox* comboBox(QWidget* parent, const char* name, const QStringList& items, int maxLength, QRect geometry)
{
    auto* box = new QComboBox(parent);
    box->setObjectName(QString::fromUtf8(name));
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->addItems(items);
    box->setCurrentIndex(-1);
    box->lineEdit()->setMaxLength(maxLength);
    box->setGeometry(geometry);
    return box;
}

QTableView* placeholderGrid(QWidget* parent, const char* name, const char* title, QRect geometry)
{
    auto* grid = new QTableWidget(0, 1, parent);
    grid->setObjectName(QString::fromUtf8(name));
    grid->setHorizontalHeaderLabels({QString::fromUtf8(title)});
    grid->horizontalHeader()->setStretchLastSection(true);
    grid->verticalHeader()->hide();
    grid->setGeometry(geometry);
    grid->setEnabled(false);
    return grid;
}

} // namespace

Tevents_form::Tevents_form(GenealogyStore& store, MainFrame& frame)
    : SecondaryWindow(QStringLiteral("Tevents_form"), QStringLiteral("События"), dialogFlags()),
      store_(store), frame_(frame)
{
    setFixedSize(443, 339);
    centreOnScreen(this);
    buildControls();
    buildParticipants();
    setDefaultButton(Button5);
    setClosesOnEscape(true);
}

void Tevents_form::buildControls()
{
    addNamedLabel(this, "Label1", "Событие:", 8, 6);
    ComboBox1 = comboBox(this, "ComboBox1", {EventText::Birth, EventText::Death, QStringLiteral("Свадьба")}, 50,
                         {8, 22, 200, 22});
    addNamedLabel(this, "Label5", "Дата начала:", 216, 6);
    Button1 = button(this, "Button1", "указать", {216, 21, 219, 24});
    addNamedLabel(this, "Label3", "Место:", 8, 50);
    ComboBox2 = comboBox(this, "ComboBox2",
                         {QStringLiteral("Москва"), QStringLiteral("Россия"), QStringLiteral("Евразия"),
                          QStringLiteral("Планета Земля"), QStringLiteral("Галактика Млечный путь"),
                          QStringLiteral("'Наше' скопление галактик"), QStringLiteral("'Наше' скопление метагалактик"),
                          QStringLiteral("Бесконечная вселенная")},
                         100, {8, 66, 200, 22});
    addNamedLabel(this, "Label6", "Дата окончания:", 216, 50);
    Button2 = button(this, "Button2", "указать", {216, 65, 219, 24});
    Button2->setEnabled(false);
    DBGrid6 = placeholderGrid(this, "DBGrid6", "Медиа - файлы (Временно не доступно)", {8, 226, 210, 76});
    DBGrid5 = placeholderGrid(this, "DBGrid5", "Комментарии (Временно не доступно)", {225, 226, 210, 76});
    Button5 = button(this, "Button5", "ОК", {144, 308, 75, 25});
    Button6 = button(this, "Button6", "Отмена", {232, 308, 75, 25});

    connect(ComboBox1, &QComboBox::currentTextChanged, this, &Tevents_form::ComboBox1Change);
    connect(Button1, &QPushButton::clicked, this, &Tevents_form::Button1Click);
    connect(Button5, &QPushButton::clicked, this, &Tevents_form::Button5Click);
    connect(Button6, &QPushButton::clicked, this, &Tevents_form::Button6Click);
}

void Tevents_form::buildParticipants()
{
    GroupBox1 = new QGroupBox(QStringLiteral("Участники:"), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    GroupBox1->setGeometry(8, 96, 427, 124);
    Button3 = button(GroupBox1, "Button3", "+", {8, 20, 25, 25});
    Button3->setToolTip(QStringLiteral("Добавить участника"));
    Button4 = button(GroupBox1, "Button4", "-", {8, 50, 25, 25});
    Button4->setToolTip(QStringLiteral("Удалить участника"));
    DBGrid1 = makeBoundGrid(GroupBox1, "DBGrid1", store_.eventDialogParticipants,
                            {{DraftParticipantField::name, QString(), 100}});
    DBGrid1->setGeometry(40, 20, 240, 96);
    DBGrid1->horizontalHeader()->hide();
    DBGrid1->horizontalHeader()->setStretchLastSection(true);
    addNamedLabel(GroupBox1, "Label2", "Роль:", 290, 20);
    ComboBox3 = comboBox(GroupBox1, "ComboBox3", {}, 100, {290, 36, 128, 22});

    connect(Button3, &QPushButton::clicked, this, &Tevents_form::Button3Click);
    connect(Button4, &QPushButton::clicked, this, &Tevents_form::Button4Click);
    connect(ComboBox3, &QComboBox::editTextChanged, this, &Tevents_form::ComboBox3Change);
    connect(static_cast<RecordTableModel*>(DBGrid1->model()), &RecordTableModel::currentLineChanged, this,
            &Tevents_form::RxMemoryData1AfterScroll);
}

void Tevents_form::setDateDialog(Tdateform* dateDialog)
{
    dateDialog_ = dateDialog;
}

void Tevents_form::showFresh(bool editing)
{
    editing_ = editing;
    keepOnShow_ = false;
    show();
    raise();
    activateWindow();
}

void Tevents_form::resumeAfterPick()
{
    keepOnShow_ = true;
    show();
    raise();
    activateWindow();
}

void Tevents_form::showEvent(QShowEvent* event)
{
    if (!event->spontaneous())
        FormShow();
    SecondaryWindow::showEvent(event);
}

void Tevents_form::FormShow()
{
    RecordTable& draft = store_.eventDialogParticipants;
    if (pickingParticipant || keepOnShow_) {
        pickingParticipant = false;
        keepOnShow_ = false;
    } else {
        editedEvent_ = store_.cardEvents.isEmpty() ? 0 : store_.cardEvents.asInteger(CardEventField::id);
        dialogPerson_ = store_.persons.asInteger(PersonField::num);
        if (editing_ && !store_.cardEvents.isEmpty() && !store_.persons.isEmpty())
            loadEventParticipants(store_, editedEvent_);
        if (!editing_ && store_.persons.locate(PersonField::num, dialogPerson_) && draft.isEmpty())
            addDraftParticipant(store_, dialogPerson_);
    }
    draft.first();
    RxMemoryData1AfterScroll();
}

void Tevents_form::ComboBox1Change()
{
    const QString type = ComboBox1->currentText();
    const bool single = type == EventText::Birth || type == EventText::Death;
    Button3->setEnabled(!single);
    Button4->setEnabled(!single);
    if (single)
        keepOnlyParticipant(store_.eventDialogParticipants, dialogPerson_);
}

void Tevents_form::RxMemoryData1AfterScroll()
{
    const RecordTable& draft = store_.eventDialogParticipants;
    if (draft.isEmpty() || ComboBox3->hasFocus())
        return;
    const QSignalBlocker block(ComboBox3);
    ComboBox3->setEditText(draft.asString(DraftParticipantField::function));
}

void Tevents_form::ComboBox3Change()
{
    RecordTable& draft = store_.eventDialogParticipants;
    if (draft.isEmpty())
        return;
    draft.edit();
    draft.setValue(DraftParticipantField::function, ComboBox3->currentText());
    draft.post();
}

void Tevents_form::Button1Click()
{
    if (dateDialog_)
        dateDialog_->show();
}

void Tevents_form::Button3Click()
{
    if (store_.persons.isEmpty()) {
        frame_.platform().showMessage(MainFrame::applicationTitle(), QStringLiteral("Нет записей в базе данных"));
    } else {
        frame_.HideMainMenu();
        frame_.hidePanelsForPick();
        frame_.setStatusText(QStringLiteral("Укажите персонаж для добавления к участникам события"));
    }
    hide();
    frame_.selectTab(MainFrame::ListMode);
    pickingParticipant = true;
}

void Tevents_form::Button4Click()
{
    RecordTable& draft = store_.eventDialogParticipants;
    if (!draft.isEmpty())
        draft.deleteRecord();
}

void Tevents_form::Button5Click()
{
    // An event nobody takes part in would show on no card, and could never be edited or deleted again.
    if (store_.eventDialogParticipants.isEmpty()) {
        frame_.platform().showMessage(MainFrame::applicationTitle(), QStringLiteral("Добавьте участника события"));
        return;
    }
    if (Button1->text() == EventText::NoDate)
        Button1->setText(QString());
    EventEntry entry;
    entry.editing = editing_;
    // The event chosen when the dialog opened: a pick since then has rebuilt the card.
    entry.editedId = editedEvent_;
    entry.person = dialogPerson_;
    entry.type = ComboBox1->currentText();
    entry.date = Button1->text();
    entry.place = ComboBox2->currentText();
    {
        const HistoryStep step(store_.history, editing_ ? QStringLiteral("изменение события") : QStringLiteral("добавление события"));
        saveEvent(store_, entry);
    }
    Q_EMIT eventStored(dialogPerson_);
    hide();
}

void Tevents_form::Button6Click()
{
    hide();
}
