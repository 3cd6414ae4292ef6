#include "diagram/ui/TForm4.h"

#include "store/TreeHistory.h"

#include "diagram/DiagramLayout.h"
#include "diagram/LegendPictures.h"
#include "diagram/ui/NavigatorGlyphs.h"

#include <QComboBox>
#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QToolButton>

namespace {

QString axisGlyphFile(int mode)
{
    switch (mode) {
    case 1: return QStringLiteral("/x.bmp");
    case 2: return QStringLiteral("/y.bmp");
    default: return QStringLiteral("/xy.bmp");
    }
}

int nextAxisMode(int mode)
{
    return mode % 3 + 1;
}

} // namespace

TForm4::TForm4()
    : SecondaryWindow(QStringLiteral("TForm4"), QStringLiteral("Навигатор"), Qt::Tool | Qt::WindowStaysOnTopHint)
{
    setFixedSize(128, 177);
    setActivatesOnShow(false);
    // The fixed layout is drawn for a small font; a large system font would clip the captions.
    QFont small = font();
    small.setPixelSize(11);
    setFont(small);
    auto* bevel = new QFrame(this);
    bevel->setObjectName(QStringLiteral("Bevel1"));
    bevel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    bevel->setGeometry(0, 0, 128, 177);
    bevel->setToolTip(QStringLiteral("По центру"));
    buildFlatButtons();
    buildInactiveControls();
    addLabel(QStringLiteral("Label3"), {8, 56}, QStringLiteral("Растяжение/Сжатие"));
    addLabel(QStringLiteral("Label2"), {8, 96}, QStringLiteral("Поворот:"));
    addLabel(QStringLiteral("Label1"), {8, 138}, QStringLiteral("Масштаб:"));
}

void TForm4::bind(NavigatorTarget target)
{
    target_ = std::move(target);
}

void TForm4::buildFlatButtons()
{
    const QString centre = QStringLiteral("Расположить по центру");
    using G = NavigatorGlyph;
    struct Flat {
        const char* name;
        QRect geometry;
        G glyph;
        QString hint;
        void (TForm4::*click)();
    };
    const Flat flat[] = {
        {"SpeedButton3", {4, 3, 39, 25}, G::Centre, centre, &TForm4::SpeedButton3Click},
        {"SpeedButton2", {45, 3, 39, 25}, G::Up, {}, &TForm4::SpeedButton2Click},
        {"SpeedButton12", {86, 3, 39, 25}, G::Centre, centre, nullptr},
        {"SpeedButton1", {4, 29, 39, 25}, G::Left, {}, &TForm4::SpeedButton1Click},
        {"SpeedButton5", {45, 29, 39, 25}, G::Down, {}, &TForm4::SpeedButton5Click},
        {"SpeedButton4", {86, 29, 39, 25}, G::Right, {}, &TForm4::SpeedButton4Click},
        {"SpeedButton6", {4, 71, 39, 25}, G::Plus, QStringLiteral("Увеличить"), &TForm4::SpeedButton6Click},
        {"SpeedButton8", {45, 71, 39, 25}, G::Axes, QStringLiteral("Нажмите для изменения оси преобразования"),
         &TForm4::SpeedButton8Click},
        {"SpeedButton7", {86, 71, 39, 25}, G::Minus, QStringLiteral("Уменьшить"), &TForm4::SpeedButton7Click},
    };
    for (const Flat& f : flat) {
        QToolButton* button = addButton(QLatin1String(f.name), f.geometry, navigatorGlyph(f.glyph), f.hint);
        button->setAutoRaise(true);
        if (f.click)
            connect(button, &QToolButton::clicked, this, f.click);
        else
            button->setEnabled(false);
    }
    axisButton_ = findChild<QToolButton*>(QStringLiteral("SpeedButton8"));
}

void TForm4::buildInactiveControls()
{
    using G = NavigatorGlyph;
    // Rotation and zoom are not there yet: shown, but disabled.
    addButton(QStringLiteral("SpeedButton9"), {4, 112, 39, 25}, navigatorGlyph(G::RotateLeft))->setEnabled(false);
    addButton(QStringLiteral("SpeedButton11"), {45, 112, 39, 25}, navigatorGlyph(G::Pivot),
              QStringLiteral("Указать центр вращения (он же центр активного в данный момент экрана)"))
        ->setEnabled(false);
    addButton(QStringLiteral("SpeedButton10"), {88, 112, 37, 25}, navigatorGlyph(G::RotateRight))->setEnabled(false);

    auto* zoom = new QComboBox(this);
    zoom->setObjectName(QStringLiteral("ComboBox1"));
    zoom->addItem(QStringLiteral("100%"));
    zoom->setGeometry(8, 154, 114, zoom->sizeHint().height());
    zoom->setEnabled(false);
}

QToolButton* TForm4::addButton(const QString& name, QRect geometry, const QIcon& glyph, const QString& hint)
{
    auto* button = new QToolButton(this);
    button->setObjectName(name);
    button->setGeometry(geometry);
    button->setIcon(glyph);
    button->setToolTip(hint);
    return button;
}

void TForm4::addLabel(const QString& name, QPoint at, const QString& text)
{
    auto* label = new QLabel(text, this);
    label->setObjectName(name);
    label->move(at);
    label->adjustSize();
}

void TForm4::shiftByFifth(int dirX, int dirY)
{
    if (!target_.scroll)
        return;
    DiagramScroll& scroll = *target_.scroll;
    if (dirX != 0)
        scroll.setHorzPosition(scroll.horzPosition() + dirX * (scroll.clientWidth() / 5));
    if (dirY != 0)
        scroll.setVertPosition(scroll.vertPosition() + dirY * (scroll.clientHeight() / 5));
}

void TForm4::SpeedButton1Click()
{
    shiftByFifth(-1, 0);
}

void TForm4::SpeedButton2Click()
{
    shiftByFifth(0, -1);
}

void TForm4::SpeedButton3Click()
{
    if (target_.scroll)
        centreScroll(*target_.scroll);
}

void TForm4::SpeedButton4Click()
{
    shiftByFifth(1, 0);
}

void TForm4::SpeedButton5Click()
{
    shiftByFifth(0, 1);
}

void TForm4::SpeedButton6Click()
{
    stretch(StretchDirection::Enlarge);
}

void TForm4::SpeedButton7Click()
{
    stretch(StretchDirection::Compress);
}

void TForm4::stretch(StretchDirection direction)
{
    if (!target_.scroll || !target_.items || !target_.units || !target_.setUnits)
        return;
    const HistoryStep step(target_.history, direction == StretchDirection::Enlarge ? QStringLiteral("растяжение диаграммы")
                                                                                   : QStringLiteral("сжатие диаграммы"));
    const StretchFactors f = stretchFactors(axisMode_, direction);
    DiagramUnits units = target_.units();
    if (stretchUnits(units, f.x, f.y)) {
        target_.setUnits(units);
        stretchAndNormalise(*target_.items, units, f.x, f.y, *target_.scroll);
    } else {
        NormaliseDiagram(*target_.items, units, *target_.scroll);
    }
    Q_EMIT diagramChanged();
}

void TForm4::SpeedButton8Click()
{
    const QString path = pictureFolder() + axisGlyphFile(axisMode_);
    QImage glyph;
    if (!glyph.load(path)) {
        if (target_.reportError)
            target_.reportError(QStringLiteral("Не удалось загрузить файл %1").arg(QDir::toNativeSeparators(path)));
        return;
    }
    axisButton_->setIcon(glyphFromBitmap(glyph));
    axisMode_ = nextAxisMode(axisMode_);
}
