#include "dialogs/ui/Tnames_form.h"
#include "widgets/NamedLabel.h"

#include "dialogs/ui/DialogFlags.h"
#include "store/GenealogyStore.h"
#include "widgets/RadioGroup.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

QLineEdit* edit(QWidget* parent, const char* name, int x, int y)
{
    auto* e = new QLineEdit(parent);
    e->setObjectName(QString::fromUtf8(name));
    e->setGeometry(x, y, 121, 21);
    return e;
}

} // namespace

Tnames_form::Tnames_form(GenealogyStore& store)
    : SecondaryWindow(QStringLiteral("Tnames_form"), QStringLiteral("Имя"), dialogFlags()), store_(store)
{
    setFixedSize(405, 125);
    centreOnScreen(this);
    addNamedLabel(this, "Label4", "Тип:", 8, 8);
    ComboBox1 = new QComboBox(this);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    ComboBox1->setEditable(true);
    ComboBox1->addItems({NameText::MainType, QStringLiteral("Церковное"), QStringLiteral("Nickname"), NameText::Alternative});
    ComboBox1->lineEdit()->setMaxLength(20);
    ComboBox1->setGeometry(6, 23, 123, 21);
    addNamedLabel(this, "Label1", "Фамилия:", 136, 8);
    Edit1 = edit(this, "Edit1", 136, 24);
    addNamedLabel(this, "Label2", "Имя:", 8, 48);
    Edit2 = edit(this, "Edit2", 8, 64);
    addNamedLabel(this, "Label3", "Отчество:", 136, 48);
    Edit3 = edit(this, "Edit3", 136, 64);
    RadioGroup1 = new RadioGroup(QStringLiteral("Пол"),
                                 {QStringLiteral("Неизвестен"), QStringLiteral("Мужской"), QStringLiteral("Женский")}, 1, this);
    RadioGroup1->setObjectName(QStringLiteral("RadioGroup1"));
    RadioGroup1->setGeometry(264, 16, 129, 73);
    RadioGroup1->setItemIndex(0);
    connect(RadioGroup1, &RadioGroup::itemSelected, this, &Tnames_form::RadioGroup1Click);

    Button1 = new QPushButton(QStringLiteral("ОК"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(128, 96, 75, 25);
    Button2 = new QPushButton(QStringLiteral("Отмена"), this);
    Button2->setObjectName(QStringLiteral("Button2"));
    Button2->setGeometry(208, 96, 75, 25);
    connect(Button1, &QPushButton::clicked, this, &Tnames_form::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &Tnames_form::Button2Click);
    setDefaultButton(Button1);
    setClosesOnEscape(true);
}

void Tnames_form::showFor(const NameEntry& entry, std::optional<ReplacedName> replaced)
{
    ComboBox1->setCurrentText(entry.type);
    Edit1->setText(entry.parts.fam);
    Edit2->setText(entry.parts.name);
    Edit3->setText(entry.parts.surname);
    RadioGroup1->setItemIndex(int(entry.sex));
    replaced_ = replaced;
    show();
    raise();
    activateWindow();
}

void Tnames_form::RadioGroup1Click(int index)
{
    // Only the caller may choose "Неизвестен", for a name whose sex is unknown.
    if (index == int(SexChoice::Unknown))
        RadioGroup1->setItemIndex(int(SexChoice::Male));
}

NameEntry Tnames_form::entry() const
{
    NameEntry e;
    e.type = ComboBox1->currentText();
    e.parts = {Edit1->text(), Edit2->text(), Edit3->text()};
    const int sex = RadioGroup1->itemIndex();
    e.sex = sex < 0 ? SexChoice::Male : SexChoice(sex);
    return e;
}

void Tnames_form::Button1Click()
{
    if (store_.persons.isEmpty()) {
        hide();
        return;
    }
    const int person = store_.persons.asInteger(PersonField::num);
    {
        const HistoryStep step(store_.history, replaced_ ? QStringLiteral("изменение имени") : QStringLiteral("добавление имени"));
        storeName(store_, person, entry(), replaced_);
    }
    hide();
    Q_EMIT nameStored(person);
}

void Tnames_form::Button2Click()
{
    hide();
}
