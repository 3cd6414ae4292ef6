#pragma once
#include <QFont>
#include <QImage>
#include <QPoint>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

class QMenu;
class QPrintPreviewDialog;
class QPrinter;
class QWidget;

// Everything modal or owned by the operating system goes through here, so that
// tests can answer it without a real dialog ever blocking them.
class Platform {
public:
    Platform();
    virtual ~Platform();

    // An information box with an OK button.
    virtual void showMessage(const QString& caption, const QString& text) = 0;
    // A text-input box; nothing when cancelled.
    virtual std::optional<QString> inputText(const QString& caption, const QString& prompt, const QString& initial) = 0;
    // An open-file chooser; nothing when cancelled. A name typed without a suffix gets the default one.
    virtual std::optional<QString> openFile(const QString& title, const QString& filter, const QString& initialName,
                                            const QString& defaultSuffix) = 0;
    // The picture chooser, with a preview, under the title it keeps; nothing when cancelled.
    virtual std::optional<QString> openPicture() = 0;
    // The chooser keeps this title for every later use.
    void setPictureTitle(const QString& title) { pictureTitle_ = title; }
    QString pictureTitle() const { return pictureTitle_; }
    virtual std::optional<QFont> chooseFont(const QFont& initial) = 0;
    // The printer and page set-up dialogs change the kept printer on OK; they print nothing.
    virtual void printerSetup() = 0;
    virtual void printDialog() = 0;
    // The printer and page set-up last chosen, kept for every printing.
    QPrinter& printer();
    // Shows a print preview built over the kept printer.
    virtual void showPrintPreview(QPrintPreviewDialog& dialog) = 0;
    virtual void setClipboardImage(const QImage& image) = 0;
    // Opens a file with the user's default program for its type. Asking the
    // desktop may take seconds, so the answer comes later, on the window's
    // thread: false when the file is missing or unreadable or no program is
    // associated with it.
    virtual void openWithDefaultProgram(const QString& path, std::function<void(bool opened)> done) = 0;
    // Pops a menu up at a screen point.
    virtual void popupMenu(QMenu* menu, const QPoint& globalPos) = 0;
    // Ends the application at once.
    virtual void quit() = 0;

    // A save-file chooser proposing a name; nothing when cancelled. A name
    // typed without a suffix gets the default one.
    virtual std::optional<QString> saveFile(const QString& title, const QString& filter, const QString& proposed,
                                            const QString& defaultSuffix) = 0;
    // "Сохранить", "Не сохранять" or "Отмена" for unsaved changes.
    enum class SaveAnswer { Save, Discard, Cancel };
    virtual SaveAnswer askToSave(const QString& caption, const QString& question) = 0;
    // A question with "Да" and "Нет"; true for "Да".
    virtual bool askYesNo(const QString& caption, const QString& question) = 0;

    // The window that owns the dialogs.
    void setDialogParent(QWidget* parent) { dialogParent_ = parent; }

protected:
    QWidget* dialogParent_ = nullptr;
    std::unique_ptr<QPrinter> printer_;
    QString pictureTitle_ = QStringLiteral("Укажите файл");
};
