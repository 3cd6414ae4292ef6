#pragma once
#include <QImage>
#include <QString>
#include <QStringList>

// Where the runtime pictures live: $ARBOLITUS_DAT, then dat/ beside the
// executable in a build tree, then the share folder of the installed program,
// found from the program's own folder wherever the package was put.
QString pictureFolder();

// Reads a picture; when it cannot be read, returns the fallback and adds the
// path to missing.
QImage loadPictureOr(const QString& path, const QImage& fallback, QStringList& missing);

// 18 x 18 outlines used when the legend files are absent.
QImage builtInMalePicture();
QImage builtInFemalePicture();
// Every pixel the bitwise inverse of the source, as drag ghosts need.
QImage invertedPicture(const QImage& source);

// The four legend bitmaps and the unused arrow, for the life of the process.
struct LegendPictures {
    QImage male;
    QImage female;
    QImage maleInverted;
    QImage femaleInverted;
    QImage arrow;

    void rebuildInverted();
    // The pictures drawn into the program, the inverted ones made.
    static LegendPictures builtIn();
    // Loads from the folder; returns the paths that could not be read.
    QStringList loadFrom(const QString& folder);
};
