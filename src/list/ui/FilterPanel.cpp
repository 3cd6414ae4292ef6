#include "list/ui/FilterPanel.h"

#include "widgets/RadioGroup.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {
// The bottom-anchored buttons keep this distance from the panel's lower edge.
constexpr int buttonBottomMargin = 4;
constexpr int buttonHeight = 35;
constexpr int designedButtonTop = 315;
}

FilterPanel::FilterPanel(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Panel7"));
    // Captions sit on the frame line so that the designed heights hold their items.
    setStyleSheet(QStringLiteral(
        "QGroupBox { border: 1px solid #a0a0a0; margin-top: 6px; padding-top: 1px; }"
        "QGroupBox::title { subcontrol-origin: margin; subcontrol-position: top left; left: 6px; padding: 0 2px; }"
        "QRadioButton { spacing: 3px; }"));
    RadioGroup2 = new RadioGroup(QStringLiteral("Сортировка по:"),
                                 {QStringLiteral("Нет"), QStringLiteral("По фамилии"), QStringLiteral("По имени"),
                                  QStringLiteral("По отчеству"), QStringLiteral("По дате рождения"),
                                  QStringLiteral("По дате смерти")},
                                 1, this);
    RadioGroup2->setObjectName(QStringLiteral("RadioGroup2"));
    RadioGroup2->setGeometry(4, 0, 126, 111);

    RadioGroup3 = new RadioGroup(QStringLiteral("Отображаемые данные:"),
                                 {QStringLiteral("Люди"), QStringLiteral("События"), QStringLiteral("Источники"),
                                  QStringLiteral("Комментарии"), QStringLiteral("Медиа-Файлы"),
                                  QStringLiteral("Географич. названия")},
                                 1, this);
    RadioGroup3->setObjectName(QStringLiteral("RadioGroup3"));
    RadioGroup3->setGeometry(132, 0, 142, 111);

    RadioGroup1 = new RadioGroup(QStringLiteral("Пол"),
                                 {QStringLiteral("МУЖСКОЙ"), QStringLiteral("ЛЮБОЙ"), QStringLiteral("ЖЕНСКИЙ")}, 3, this);
    RadioGroup1->setObjectName(QStringLiteral("RadioGroup1"));
    RadioGroup1->setGeometry(4, 111, 271, 29);

    buildFields();

    Button3 = new QPushButton(QStringLiteral("Указать"), this);
    Button3->setObjectName(QStringLiteral("Button3"));
    Button3->setGeometry(42, 247, 233, 22);

    CheckBox1 = new QCheckBox(QStringLiteral("Только те, кто изображен на диаграмме"), this);
    CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
    CheckBox1->setGeometry(5, 276, 279, 17);
    CheckBox2 = new QCheckBox(QStringLiteral("Доступны только карточки имеющихся в списке"), this);
    CheckBox2->setObjectName(QStringLiteral("CheckBox2"));
    CheckBox2->setGeometry(5, 292, 279, 17);

    Button2 = new QPushButton(QStringLiteral("Очистить"), this);
    Button2->setObjectName(QStringLiteral("Button2"));
    Button2->setGeometry(64, designedButtonTop, 75, buttonHeight);
    Button1 = new QPushButton(QStringLiteral("Применить"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(152, designedButtonTop, 75, buttonHeight);

    for (QWidget* w : std::initializer_list<QWidget*>{RadioGroup3, RadioGroup1, MaskEdit1, MaskEdit2, MaskEdit3,
                                                      MaskEdit4, MaskEdit5, CheckBox1, CheckBox2})
        w->setEnabled(false);
    RadioGroup3->setItemIndex(0);
    clear();
}

QLabel* FilterPanel::label(const char* name, const char* caption, int x, int y)
{
    auto* l = new QLabel(QString::fromUtf8(caption), this);
    l->setObjectName(QString::fromUtf8(name));
    l->move(x, y);
    l->adjustSize();
    return l;
}

QLineEdit* FilterPanel::field(const char* name, int x, int y)
{
    auto* edit = new QLineEdit(this);
    edit->setObjectName(QString::fromUtf8(name));
    edit->setGeometry(x, y, 150, 19);
    return edit;
}

// The filter fields, shown disabled: nothing reads them yet.
void FilterPanel::buildFields()
{
    label("Label1", "Фамилия:", 8, 147);
    MaskEdit1 = field("MaskEdit1", 124, 144);
    label("Label2", "Имя:", 8, 165);
    MaskEdit2 = field("MaskEdit2", 124, 164);
    label("Label3", "Отчество:", 8, 184);
    MaskEdit3 = field("MaskEdit3", 124, 184);
    label("Label4", "Место рождения:", 8, 204);
    MaskEdit4 = field("MaskEdit4", 124, 204);
    label("Label5", "Место смерти:", 8, 225);
    MaskEdit5 = field("MaskEdit5", 124, 224);
    label("Label6", "Дата:", 8, 250);
}

void FilterPanel::clear()
{
    RadioGroup1->setItemIndex(1);
    RadioGroup2->setItemIndex(0);
    for (QLineEdit* edit : {MaskEdit1, MaskEdit2, MaskEdit3, MaskEdit4, MaskEdit5})
        edit->clear();
    Button3->setText(QStringLiteral("Указать"));
    CheckBox1->setChecked(false);
    CheckBox2->setChecked(false);
}

void FilterPanel::resizeEvent(QResizeEvent*)
{
    const int top = height() - buttonBottomMargin - buttonHeight;
    Button2->move(Button2->x(), top);
    Button1->move(Button1->x(), top);
}
