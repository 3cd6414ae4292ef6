#include "diagram/ui/TOKBottomDlg1.h"

#include "platform/Platform.h"
#include "widgets/RadioGroup.h"
#include "widgets/SpinEdit.h"
#include "diagram/LegendPictures.h"
#include "diagram/ui/StylePreview.h"

#include <QCheckBox>
#include <QLayout>
#include <QEvent>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSpinBox>

namespace {

// Labels of the dialog: small, in a muted teal.
void styleLabel(QLabel* label)
{
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(11);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, QColor(64, 128, 128));
    label->setPalette(palette);
}

} // namespace

TOKBottomDlg1::TOKBottomDlg1(Platform& platform, LegendPictures& pictures)
    : SecondaryWindow(QStringLiteral("TOKBottomDlg1"), QStringLiteral("Свойства изображения"),
                      Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      platform_(platform), pictures_(pictures), fontDialogFont_(initialDiagramFont())
{
    setFixedSize(499, 359);
    QFont small = font();
    small.setPixelSize(11);
    setFont(small);
    buildControls();
}

void TOKBottomDlg1::showEvent(QShowEvent* event)
{
    if (const QScreen* shown = screen())
        move(shown->availableGeometry().center() - rect().center());
    SecondaryWindow::showEvent(event);
}

void TOKBottomDlg1::buildControls()
{
    auto* bevel = new QFrame(this);
    bevel->setObjectName(QStringLiteral("Bevel1"));
    bevel->setFrameStyle(QFrame::Box | QFrame::Raised);
    bevel->setGeometry(5, 6, 492, 323);

    addLabel("Label3", "Подписывать:", {11, 15});
    CheckBox7 = addCheckBox("CheckBox7", "Имена", {10, 32, 97, 17}, true, true);
    CheckBox8 = addCheckBox("CheckBox8", "Фамилии", {10, 55, 97, 17}, true, true);
    CheckBox9 = addCheckBox("CheckBox9", "Отчества", {10, 78, 97, 17}, true, false);
    CheckBox10 = addCheckBox("CheckBox10", "Годы жизни", {10, 101, 97, 17}, false, false);
    CheckBox13 = addCheckBox("CheckBox13", "Даты свадьб/разводов", {10, 124, 145, 17}, false, false);
    CheckBox2 = addCheckBox("CheckBox2", "Номера поколений ", {10, 147, 138, 17}, false, false);
    CheckBox1 = addCheckBox("CheckBox1", "Знак пробанда", {10, 169, 100, 17}, false, false);
    Image3 = addLegendImage("Image3", {113, 169, 17, 17}, pictures_.arrow);
    Image3->setScaledContents(true);
    CheckBox3 = addCheckBox("CheckBox3", "Сетку", {10, 190, 97, 17}, false, true);

    addLabel("Label1", "Толщина линий:", {103, 15});
    SpinEdit1 = addSpinEdit("SpinEdit1", {105, 34, 43, 22}, 2, 1, 10);
    static_cast<SpinEdit*>(SpinEdit1)->setMaxTypedLength(1);
    SpinEdit1->installEventFilter(this);

    buildLegendAndStyle();

    SpinEdit2 = addSpinEdit("SpinEdit2", {16, 216, 121, 22}, 85, 1, 100000);
    SpinEdit3 = addSpinEdit("SpinEdit3", {16, 248, 121, 22}, 75, 1, 100000);

    RadioGroup1 = new RadioGroup(QStringLiteral("Палитра изображения:"), {QStringLiteral("Ч/Б"), QStringLiteral("16 цветов")},
                                 2, this);
    RadioGroup1->setObjectName(QStringLiteral("RadioGroup1"));
    RadioGroup1->setGeometry(152, 218, 169, 31);
    RadioGroup1->layout()->setContentsMargins(6, 0, 2, 0);
    RadioGroup1->setItemIndex(0);
    RadioGroup1->setToolTip(QStringLiteral("Рекомендуется ч/б вариант (1 бит) на машинах с RAM менее 32MB"));
    RadioGroup1->setEnabled(false);

    BitBtn1 = new QPushButton(QStringLiteral("Выбрать шрифт"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setGeometry(152, 256, 169, 25);
    connect(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });

    CheckBox4 = addCheckBox("CheckBox4", "Выравнивать постоянно", {16, 288, 153, 17}, false, true);

    OKBtn = new QPushButton(QStringLiteral("OK"), this);
    OKBtn->setObjectName(QStringLiteral("OKBtn"));
    OKBtn->setGeometry(232, 333, 75, 25);
    setDefaultButton(OKBtn);
    connect(OKBtn, &QPushButton::clicked, this, [this] { OKBtnClick(); });
}

// The legend pictures with their buttons, and the two tree styles.
void TOKBottomDlg1::buildLegendAndStyle()
{
    addLabel("Label7", "Условные обозначения:", {199, 14});
    femalePreview_ = builtInFemalePicture();
    Image1 = addLegendImage("Image1", {199, 33, 58, 56}, builtInMalePicture());
    Image2 = addLegendImage("Image2", {264, 33, 57, 56}, femalePreview_);
    for (QLabel* image : {Image1, Image2}) {
        image->setToolTip(QStringLiteral("Нажмите для выбора картинки"));
        image->installEventFilter(this);
    }
    Button1 = new QPushButton(QStringLiteral("Изменить"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(200, 88, 57, 17);
    Button2 = new QPushButton(QStringLiteral("Изменить"), this);
    Button2->setObjectName(QStringLiteral("Button2"));
    Button2->setGeometry(264, 88, 57, 17);
    connect(Button1, &QPushButton::clicked, this, [this] { Image1DblClick(); });
    connect(Button2, &QPushButton::clicked, this, [this] { Image2DblClick(); });

    addLabel("Label2", "Стиль древа:", {199, 110});
    RadioButton1 = new QRadioButton(QStringLiteral("№1"), this);
    RadioButton1->setObjectName(QStringLiteral("RadioButton1"));
    RadioButton1->setGeometry(200, 127, 45, 17);  // room for the indicator of this style
    RadioButton2 = new QRadioButton(QStringLiteral("№2"), this);
    RadioButton2->setObjectName(QStringLiteral("RadioButton2"));
    RadioButton2->setGeometry(200, 175, 45, 17);
    RadioButton2->setChecked(true);
    Image4 = addLegendImage("Image4", {248, 127, 41, 41}, stylePreview(true));
    Image5 = addLegendImage("Image5", {248, 175, 41, 41}, stylePreview(false));
}

QCheckBox* TOKBottomDlg1::addCheckBox(const char* name, const char* caption, QRect geometry, bool checked, bool enabled)
{
    auto* box = new QCheckBox(QString::fromUtf8(caption), this);
    box->setObjectName(QString::fromUtf8(name));
    box->setGeometry(geometry);
    box->setChecked(checked);
    box->setEnabled(enabled);
    return box;
}

QLabel* TOKBottomDlg1::addLabel(const char* name, const char* caption, QPoint at)
{
    auto* label = new QLabel(QString::fromUtf8(caption), this);
    label->setObjectName(QString::fromUtf8(name));
    styleLabel(label);
    label->adjustSize();
    label->move(at);
    return label;
}

QLabel* TOKBottomDlg1::addLegendImage(const char* name, QRect geometry, const QImage& picture)
{
    auto* image = new QLabel(this);
    image->setObjectName(QString::fromUtf8(name));
    image->setGeometry(geometry);
    image->setAlignment(Qt::AlignCenter);
    image->setPixmap(QPixmap::fromImage(picture));
    return image;
}

QSpinBox* TOKBottomDlg1::addSpinEdit(const char* name, QRect geometry, int value, int minimum, int maximum)
{
    auto* spin = new SpinEdit(this);
    spin->setObjectName(QString::fromUtf8(name));
    spin->setGeometry(geometry);
    spin->setRange(minimum, maximum);
    spin->setValue(value);
    return spin;
}

DiagramSettings TOKBottomDlg1::settings() const
{
    DiagramSettings s;
    s.names = CheckBox7->isChecked();
    s.familyNames = CheckBox8->isChecked();
    s.straightLines = RadioButton1->isChecked();
    s.grid = CheckBox3->isChecked();
    s.units = units();
    s.lineWidth = SpinEdit1->value();
    return s;
}

DiagramUnits TOKBottomDlg1::units() const
{
    return {SpinEdit2->value(), SpinEdit3->value()};
}

void TOKBottomDlg1::setUnits(DiagramUnits units)
{
    SpinEdit2->setValue(units.h);
    SpinEdit3->setValue(units.v);
}

void TOKBottomDlg1::OKBtnClick()
{
    SpinEdit1Exit();
    hide();
    Q_EMIT confirmed();
}

bool TOKBottomDlg1::chooseLegendPicture(QLabel* preview, QImage& drawingPicture)
{
    const std::optional<QString> path = platform_.openPicture();
    if (!path || !QFileInfo::exists(*path))
        return false;
    const QImage picture(*path);
    if (picture.isNull()) {
        platform_.showMessage(windowTitle(), QStringLiteral("Файл %1 не является картинкой или повреждён; "
                                                            "прежняя картинка оставлена")
                                                 .arg(QFileInfo(*path).fileName()));
        return false;
    }
    preview->setPixmap(QPixmap::fromImage(picture));
    drawingPicture = picture.convertToFormat(QImage::Format_RGB32);
    return true;
}

void TOKBottomDlg1::Image1DblClick()
{
    chooseLegendPicture(Image1, pictures_.male);
}

void TOKBottomDlg1::Image2DblClick()
{
    if (chooseLegendPicture(Image2, pictures_.female))
        femalePreview_ = pictures_.female;
}

void TOKBottomDlg1::BitBtn1Click()
{
    if (const std::optional<QFont> font = platform_.chooseFont(fontDialogFont_)) {
        fontDialogFont_ = *font;
        Q_EMIT fontChosen(fontDialogFont_);
    }
    BitBtn1->setFont(fontDialogFont_);
}

void TOKBottomDlg1::SpinEdit1Exit()
{
    if (SpinEdit1->text().trimmed().isEmpty())
        SpinEdit1->setValue(1);
}

bool TOKBottomDlg1::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == SpinEdit1 && event->type() == QEvent::FocusOut)
        SpinEdit1Exit();
    if ((watched == Image1 || watched == Image2)
        && (event->type() == QEvent::MouseButtonRelease || event->type() == QEvent::MouseButtonDblClick)) {
        if (watched == Image1)
            Image1DblClick();
        else
            Image2DblClick();
        return true;
    }
    return SecondaryWindow::eventFilter(watched, event);
}

void TOKBottomDlg1::applyKeptSettings(const DiagramSettings& settings, const QFont& font, const QImage& male,
                                      const QImage& female)
{
    CheckBox7->setChecked(settings.names);
    CheckBox8->setChecked(settings.familyNames);
    (settings.straightLines ? RadioButton1 : RadioButton2)->setChecked(true);
    CheckBox3->setChecked(settings.grid);
    SpinEdit1->setValue(settings.lineWidth);
    setUnits(settings.units);
    fontDialogFont_ = font;
    BitBtn1->setFont(font);
    if (!male.isNull()) {
        pictures_.male = male.convertToFormat(QImage::Format_RGB32);
        Image1->setPixmap(QPixmap::fromImage(male));
    }
    if (!female.isNull()) {
        pictures_.female = female.convertToFormat(QImage::Format_RGB32);
        femalePreview_ = pictures_.female;
        Image2->setPixmap(QPixmap::fromImage(female));
    }
}
