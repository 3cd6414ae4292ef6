#include "platform/PictureChooser.h"

#include "platform/RussianFileChooser.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QImageReader>
#include <QLabel>

namespace {

constexpr int PreviewSide = 160;

// The designed filters in their order. Qt separates patterns with blanks.
const char* const Filters[] = {
    "All (*.jpg *.jpeg *.bmp *.ico *.emf *.wmf *.wav)",
    "JPEG Image File (*.jpg)",
    "JPEG Image File (*.jpeg)",
    "Bitmaps (*.bmp)",
    "Icons (*.ico)",
    "Enhanced Metafiles (*.emf)",
    "Metafiles (*.wmf)",
    "wav (*.wav)",
};

void showPreview(QLabel* preview, const QString& path)
{
    const QImage image = picturePreviewOf(path);
    if (image.isNull()) {
        preview->clear();
        return;
    }
    const QSize side(PreviewSide, PreviewSide);
    const QImage shown = image.width() > side.width() || image.height() > side.height()
                             ? image.scaled(side, Qt::KeepAspectRatio, Qt::SmoothTransformation)
                             : image;
    preview->setPixmap(QPixmap::fromImage(shown));
}

} // namespace

QImage picturePreviewOf(const QString& path)
{
    static const QStringList previewed = {QStringLiteral("jpg"), QStringLiteral("jpeg"), QStringLiteral("bmp"),
                                          QStringLiteral("png"), QStringLiteral("ico")};
    const QFileInfo info(path);
    if (!info.isFile() || !previewed.contains(info.suffix().toLower()))
        return QImage();
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    return reader.read();
}

std::unique_ptr<QFileDialog> makePictureChooser(QWidget* parent, const QString& title)
{
    QStringList filters;
    for (const char* filter : Filters)
        filters << QString::fromLatin1(filter);
    auto dialog = std::make_unique<QFileDialog>(parent, title);
    dialog->setObjectName(QStringLiteral("OpenPictureDialog1"));
    // Qt's own chooser, because a native one takes no preview.
    speakRussian(*dialog);
    dialog->setFileMode(QFileDialog::ExistingFile);
    dialog->setNameFilters(filters);

    auto* preview = new QLabel(dialog.get());
    preview->setObjectName(QStringLiteral("picturePreview"));
    preview->setFixedSize(PreviewSide, PreviewSide);
    preview->setAlignment(Qt::AlignCenter);
    preview->setFrameShape(QFrame::StyledPanel);
    if (auto* grid = qobject_cast<QGridLayout*>(dialog->layout()))
        grid->addWidget(preview, 1, grid->columnCount(), Qt::AlignTop);  // the list's row
    QObject::connect(dialog.get(), &QFileDialog::currentChanged, preview,
                     [preview](const QString& path) { showPreview(preview, path); });
    return dialog;
}
