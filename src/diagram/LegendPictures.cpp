#include "diagram/LegendPictures.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPainter>

QString pictureFolder()
{
    const QString fromEnvironment = qEnvironmentVariable("ARBOLITUS_DAT");
    if (!fromEnvironment.isEmpty())
        return fromEnvironment;
    const QString programFolder = QCoreApplication::applicationDirPath();
    const QString inBuildTree = programFolder + QStringLiteral("/dat");
    if (QFileInfo(inBuildTree).isDir())
        return inBuildTree;
    return QDir::cleanPath(programFolder + QStringLiteral("/" ARBOLITUS_DATA_FROM_BINDIR));
}

QImage loadPictureOr(const QString& path, const QImage& fallback, QStringList& missing)
{
    QImage image(path);
    if (image.isNull()) {
        missing << QDir::toNativeSeparators(path);
        return fallback;
    }
    return image.convertToFormat(QImage::Format_RGB32);
}

static QImage blankPicture()
{
    QImage image(18, 18, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

QImage builtInMalePicture()
{
    QImage image = blankPicture();
    QPainter p(&image);
    p.setPen(Qt::black);
    p.drawRect(0, 0, 17, 17);
    return image;
}

QImage builtInFemalePicture()
{
    QImage image = blankPicture();
    QPainter p(&image);
    p.setPen(Qt::black);
    p.drawEllipse(0, 0, 17, 17);
    return image;
}

QImage invertedPicture(const QImage& source)
{
    QImage inverted = source.convertToFormat(QImage::Format_RGB32);
    inverted.invertPixels();
    return inverted;
}

void LegendPictures::rebuildInverted()
{
    maleInverted = invertedPicture(male);
    femaleInverted = invertedPicture(female);
}

QStringList LegendPictures::loadFrom(const QString& folder)
{
    QStringList missing;
    male = loadPictureOr(folder + QStringLiteral("/legend/boy2.bmp"), builtInMalePicture(), missing);
    female = loadPictureOr(folder + QStringLiteral("/legend/girl2.bmp"), builtInFemalePicture(), missing);
    rebuildInverted();
    QImage noArrow(16, 16, QImage::Format_RGB32);
    noArrow.fill(Qt::white);
    arrow = loadPictureOr(folder + QStringLiteral("/arrow2.bmp"), noArrow, missing);
    return missing;
}

LegendPictures LegendPictures::builtIn()
{
    LegendPictures pictures;
    pictures.male = builtInMalePicture();
    pictures.female = builtInFemalePicture();
    pictures.rebuildInverted();
    return pictures;
}
