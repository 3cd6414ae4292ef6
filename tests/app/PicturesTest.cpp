#include "diagram/LegendPictures.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(LegendPictures, ShippedPicturesLoadAndInvert)
{
    LegendPictures pictures;
    const QStringList missing = pictures.loadFrom(pictureFolder());
    EXPECT_TRUE(missing.isEmpty()) << missing.join(',').toStdString();
    EXPECT_EQ(pictures.male.size(), QSize(18, 18));
    EXPECT_EQ(pictures.female.size(), QSize(18, 18));
    for (QPoint p : {QPoint(0, 0), QPoint(5, 5), QPoint(17, 9)})
        EXPECT_EQ(pictures.maleInverted.pixel(p) & 0xffffff, ~pictures.male.pixel(p) & 0xffffff);
    EXPECT_EQ(QColor(pictures.male.pixel(0, 0)), QColor(Qt::black)); // square outline
    EXPECT_EQ(QColor(pictures.male.pixel(8, 8)), QColor(Qt::white));
}

TEST(LegendPictures, MissingFilesFallBackToBuiltInsAndAreNamed)
{
    QTemporaryDir empty;
    LegendPictures pictures;
    const QStringList missing = pictures.loadFrom(empty.path());
    EXPECT_EQ(missing.size(), 3);
    EXPECT_TRUE(missing[0].endsWith(QStringLiteral("boy2.bmp")));
    EXPECT_EQ(pictures.male.size(), QSize(18, 18));
    EXPECT_EQ(pictures.female.size(), QSize(18, 18));
    EXPECT_EQ(pictures.maleInverted.size(), QSize(18, 18));
    EXPECT_FALSE(pictures.arrow.isNull());
}
