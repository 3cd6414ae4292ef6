#include "platform/ChooserFolders.h"
#include "platform/DefaultProgram.h"
#include "platform/PictureChooser.h"
#include "platform/QtPlatform.h"
#include "support/TestHelpers.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QSemaphore>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// A small picture written in a format chosen apart from the file's name.
QString writePicture(const QTemporaryDir& dir, const QString& name, const char* format)
{
    QImage image(300, 200, QImage::Format_RGB32);
    image.fill(Qt::darkGreen);
    const QString path = dir.filePath(name);
    if (!image.save(path, format))
        throw std::runtime_error("cannot write " + path.toStdString());
    return path;
}

QString writeText(const QTemporaryDir& dir, const QString& name)
{
    return writeFile(dir.filePath(name), "RIFF not really a sound");
}

} // namespace

TEST(PictureChooser, KeepsTheDesignedFiltersAndPreviewsOnlyPictures)
{
    const auto dialog = makePictureChooser(nullptr, QStringLiteral("Мой файл"));
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Мой файл"));
    EXPECT_EQ(dialog->fileMode(), QFileDialog::ExistingFile);
    EXPECT_TRUE(dialog->testOption(QFileDialog::DontUseNativeDialog));
    const QStringList expected = {
        "All (*.jpg *.jpeg *.bmp *.ico *.emf *.wmf *.wav)", "JPEG Image File (*.jpg)", "JPEG Image File (*.jpeg)",
        "Bitmaps (*.bmp)", "Icons (*.ico)", "Enhanced Metafiles (*.emf)", "Metafiles (*.wmf)", "wav (*.wav)"};
    EXPECT_EQ(dialog->nameFilters(), expected);

    QTemporaryDir dir;
    const struct {
        QString path;
        bool previewed;
    } cases[] = {
        {writePicture(dir, "a.jpg", "JPG"), true},
        {writePicture(dir, "b.JPEG", "JPG"), true},
        {writePicture(dir, "c.bmp", "BMP"), true},
        {writePicture(dir, "d.png", "PNG"), true},
        {writePicture(dir, "e.ico", "ICO"), true},
        {writePicture(dir, "f.bmp.jpg", "PNG"), true},   // the content decides the decoder
        {writePicture(dir, "g.gif.wav", "PNG"), false},  // not a previewed type, whatever it holds
        {writeText(dir, "h.wav"), false},
        {writeText(dir, "i.bmp"), false},                // broken picture: no preview, no failure
        {dir.filePath("missing.jpg"), false},
    };
    auto* preview = named<QLabel>(*dialog, "picturePreview");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        EXPECT_EQ(!picturePreviewOf(c.path).isNull(), c.previewed);
        Q_EMIT dialog->currentChanged(c.path);
        const QPixmap shown = preview->pixmap();
        EXPECT_EQ(!shown.isNull(), c.previewed);
        if (c.previewed) {  // scaled down to the preview, keeping its shape
            EXPECT_LE(shown.width(), preview->width());
        }
    }
    EXPECT_TRUE(dialog->isAncestorOf(preview));
}

TEST(DefaultProgram, FailsForMissingFilesAndTypesWithoutAProgram)
{
    QTemporaryDir dir;
    const QString odd = writePicture(dir, "фото семьи без расширения", "JPG");
    const QString plain = writePicture(dir, "plain.png", "PNG");
    QStringList asked;
    auto viewerFor = [&asked](const QString& known) {
        return [&asked, known](const QString& type) {
            asked << type;
            return type == known ? QStringLiteral("viewer.desktop") : QString();
        };
    };
    EXPECT_TRUE(canOpenWithDefaultProgram(odd, viewerFor("image/jpeg")));
    EXPECT_EQ(asked, QStringList{"image/jpeg"});  // the type comes from the content
    EXPECT_FALSE(canOpenWithDefaultProgram(plain, viewerFor("image/jpeg")));

    asked.clear();
    for (const QString& path : {dir.filePath("gone.jpg"), dir.path(), QString()})
        EXPECT_FALSE(canOpenWithDefaultProgram(path, viewerFor("image/jpeg"))) << path.toStdString();
    EXPECT_TRUE(asked.isEmpty());

    // No program is ever associated with a type nobody defines.
    EXPECT_TRUE(xdgDefaultApplication(QStringLiteral("application/x-arbolitus-nothing")).isEmpty());
}

TEST(DefaultProgram, TheDesktopIsAskedWithoutHoldingTheWindowAndTheFailureStillComes)
{
    QTemporaryDir dir;
    const QString plain = writePicture(dir, "plain.png", "PNG");
    QSemaphore answer;
    QtPlatform platform([&answer](const QString&) {
        answer.acquire();  // the desktop thinks until the test lets it answer
        return QString();
    });
    std::optional<bool> opened;
    platform.openWithDefaultProgram(plain, [&opened](bool result) { opened = result; });
    EXPECT_FALSE(opened.has_value());  // returned while the question is still open
    answer.release();
    QTRY_VERIFY(opened.has_value());
    EXPECT_FALSE(*opened);
}

TEST(ChooserFolders, EachKindOpensWhereItsLastFileWasAndAGoneFolderIsForgotten)
{
    QTemporaryDir trees, pictures;
    rememberChooserFolder(QStringLiteral("arbolitus"), trees.filePath(QStringLiteral("семья.arbolitus")));
    rememberChooserFolder(QStringLiteral("picture"), pictures.filePath(QStringLiteral("дед.jpg")));
    EXPECT_EQ(chooserFolder(QStringLiteral("arbolitus")), trees.path());
    EXPECT_EQ(chooserFolder(QStringLiteral("picture")), pictures.path());
    EXPECT_EQ(chooserFolder(QStringLiteral("never-chosen")), QString());
    const QString gone = pictures.path();
    pictures.remove();
    EXPECT_EQ(chooserFolder(QStringLiteral("picture")), QString()) << gone.toStdString();
}
