#include "platform/QtPlatform.h"

#include "platform/ChooserFolders.h"
#include "platform/DefaultProgram.h"
#include "platform/PictureChooser.h"
#include "platform/RussianFileChooser.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QInputDialog>
#include <QMenu>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrintPreviewDialog>
#include <QRegularExpression>
#include <QThread>
#include <QPushButton>
#include <QUrl>

namespace {

// A secondary window disables the main window while it is shown; a box owned
// by the main window would be disabled too, and hidden behind a window kept on top.
QWidget* ownerWindow(QWidget* mainWindow)
{
    QWidget* active = QApplication::activeWindow();
    if (active && active->isVisible() && active->isEnabled())
        return active;
    return mainWindow;
}

// The file the chooser ends with; its folder is where the next chooser of the kind opens.
std::optional<QString> chosenFile(QFileDialog& dialog, const QString& kind)
{
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    const QString file = dialog.selectedFiles().constFirst();
    rememberChooserFolder(kind, file);
    return file;
}

} // namespace

void QtPlatform::showMessage(const QString& caption, const QString& text)
{
    QMessageBox::information(ownerWindow(dialogParent_), caption, text, QMessageBox::Ok);
}

std::optional<QString> QtPlatform::inputText(const QString& caption, const QString& prompt, const QString& initial)
{
    bool ok = false;
    const QString text =
        QInputDialog::getText(ownerWindow(dialogParent_), caption, prompt, QLineEdit::Normal, initial, &ok);
    if (!ok)
        return std::nullopt;
    return text;
}

std::optional<QString> QtPlatform::openFile(const QString& title, const QString& filter, const QString& initialName,
                                           const QString& defaultSuffix)
{
    QFileDialog dialog(dialogParent_, title, chooserFolder(defaultSuffix), filter);
    speakRussian(dialog);
    dialog.setDefaultSuffix(defaultSuffix);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.selectFile(initialName);
    return chosenFile(dialog, defaultSuffix);
}

std::optional<QString> QtPlatform::openPicture()
{
    const std::unique_ptr<QFileDialog> dialog = makePictureChooser(ownerWindow(dialogParent_), pictureTitle());
    const QString pictures = QStringLiteral("picture");
    if (const QString folder = chooserFolder(pictures); !folder.isEmpty())
        dialog->setDirectory(folder);
    return chosenFile(*dialog, pictures);
}

std::optional<QFont> QtPlatform::chooseFont(const QFont& initial)
{
    bool ok = false;
    const QFont font = QFontDialog::getFont(&ok, initial, dialogParent_);
    if (!ok)
        return std::nullopt;
    return font;
}

void QtPlatform::printerSetup()
{
    QPageSetupDialog dialog(&printer(), dialogParent_);
    dialog.exec();
}

void QtPlatform::printDialog()
{
    // OK keeps the choice for the next printing; printing itself starts from the preview.
    QPrintDialog dialog(&printer(), dialogParent_);
    dialog.exec();
}

void QtPlatform::showPrintPreview(QPrintPreviewDialog& dialog)
{
    dialog.exec();
}

void QtPlatform::setClipboardImage(const QImage& image)
{
    QApplication::clipboard()->setImage(image);
}

QtPlatform::QtPlatform(DefaultApplicationQuery defaultApplication)
    : defaultApplication_(std::move(defaultApplication))
{
}

void QtPlatform::openWithDefaultProgram(const QString& path, std::function<void(bool opened)> done)
{
    // openUrl alone cannot tell: xdg-open runs detached and it returns true whatever happens.
    // The desktop is asked off the window's thread: xdg-mime may take seconds.
    const QString absolute = path.isEmpty() ? QString() : QFileInfo(path).absoluteFilePath();
    QThread* check = QThread::create([absolute, query = defaultApplication_, done = std::move(done)] {
        const bool can = canOpenWithDefaultProgram(absolute, query);
        QMetaObject::invokeMethod(
            qApp, [absolute, can, done] { done(can && QDesktopServices::openUrl(QUrl::fromLocalFile(absolute))); },
            Qt::QueuedConnection);
    });
    QObject::connect(check, &QThread::finished, check, &QObject::deleteLater);
    check->start();
}

void QtPlatform::popupMenu(QMenu* menu, const QPoint& globalPos)
{
    menu->popup(globalPos);
}

void QtPlatform::quit()
{
    QApplication::exit(0);
}

std::optional<QString> QtPlatform::saveFile(const QString& title, const QString& filter, const QString& proposed,
                                           const QString& defaultSuffix)
{
    QFileDialog dialog(dialogParent_, title, chooserFolder(defaultSuffix), filter);
    speakRussian(dialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(defaultSuffix);
    // With several filters, the chosen one gives the suffix of a name typed without one.
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString& chosen) {
        const QRegularExpressionMatch match = QRegularExpression(QStringLiteral("\\*\\.(\\w+)")).match(chosen);
        if (match.hasMatch())
            dialog.setDefaultSuffix(match.captured(1));
    });
    dialog.selectFile(proposed);
    return chosenFile(dialog, defaultSuffix);
}

Platform::SaveAnswer QtPlatform::askToSave(const QString& caption, const QString& question)
{
    QMessageBox box(QMessageBox::Question, caption, question, QMessageBox::NoButton, dialogParent_);
    QPushButton* save = box.addButton(QStringLiteral("Сохранить"), QMessageBox::AcceptRole);
    QPushButton* discard = box.addButton(QStringLiteral("Не сохранять"), QMessageBox::DestructiveRole);
    QPushButton* cancel = box.addButton(QStringLiteral("Отмена"), QMessageBox::RejectRole);
    box.setDefaultButton(save);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == save)
        return SaveAnswer::Save;
    return box.clickedButton() == discard ? SaveAnswer::Discard : SaveAnswer::Cancel;
}

bool QtPlatform::askYesNo(const QString& caption, const QString& question)
{
    return QMessageBox::question(dialogParent_, caption, question, QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::Yes)
           == QMessageBox::Yes;
}
