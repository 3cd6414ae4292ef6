#pragma once
#include <QImage>
#include <QString>
#include <memory>

class QFileDialog;
class QWidget;

// OpenPictureDialog1: an open-file chooser over the picture and sound types,
// with a preview of the selected picture beside the list (objectName
// "picturePreview"). Built without being run, so that it can be inspected.
std::unique_ptr<QFileDialog> makePictureChooser(QWidget* parent, const QString& title);

// What the preview shows for a file: the picture for JPEG, BMP, PNG and ICO
// files that can be read, a null image for everything else.
QImage picturePreviewOf(const QString& path);
