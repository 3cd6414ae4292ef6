#include "platform/QtPlatform.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFontDialog>
#include <QInputDialog>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

void QtPlatform::showMessage(const QString& caption, const QString& text)
{
    QMessageBox::information(dialogParent_, caption, text, QMessageBox::Ok);
}

std::optional<QString> QtPlatform::inputText(const QString& caption, const QString& prompt, const QString& initial)
{
    bool ok = false;
    const QString text = QInputDialog::getText(dialogParent_, caption, prompt, QLineEdit::Normal, initial, &ok);
    if (!ok)
        return std::nullopt;
    return text;
}

std::optional<QString> QtPlatform::openFile(const QString& title, const QString& filter, const QString& initialName,
                                           const QString& defaultSuffix)
{
    QFileDialog dialog(dialogParent_, title, QString(), filter);
    dialog.setDefaultSuffix(defaultSuffix);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.selectFile(initialName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

namespace {
// Shows the picture under the cursor beside the chooser.
void attachPreview(QFileDialog& dialog)
{
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    auto* preview = new QLabel(&dialog);
    preview->setObjectName(QStringLiteral("picturePreview"));
    preview->setFixedSize(160, 160);
    preview->setAlignment(Qt::AlignCenter);
    preview->setFrameShape(QFrame::Box);
    if (auto* layout = dialog.layout())
        layout->addWidget(preview);
    QObject::connect(&dialog, &QFileDialog::currentChanged, preview, [preview](const QString& path) {
        const QImage image(path);
        if (image.isNull()) {
            preview->clear();
            return;
        }
        preview->setPixmap(QPixmap::fromImage(image.scaled(preview->size(), Qt::KeepAspectRatio)));
    });
}
} // namespace

std::optional<QString> QtPlatform::openPicture(const QString& title)
{
    QFileDialog dialog(dialogParent_, title, QString(),
                       QStringLiteral("Рисунки (*.bmp *.jpg *.jpeg *.png *.gif *.ico);;Все файлы (*)"));
    dialog.setFileMode(QFileDialog::ExistingFile);
    attachPreview(dialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
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
    QPrinter printer;
    QPageSetupDialog dialog(&printer, dialogParent_);
    dialog.exec();
}

void QtPlatform::printDialog()
{
    QPrinter printer;
    QPrintDialog dialog(&printer, dialogParent_);
    dialog.exec();
}

void QtPlatform::setClipboardImage(const QImage& image)
{
    QApplication::clipboard()->setImage(image);
}

bool QtPlatform::openWithDefaultProgram(const QString& path)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
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
    QFileDialog dialog(dialogParent_, title, QString(), filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(defaultSuffix);
    dialog.selectFile(proposed);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
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
