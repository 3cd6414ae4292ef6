#pragma once
#include "platform/DefaultProgram.h"
#include "platform/Platform.h"

// The real dialogs, clipboard and desktop services.
class QtPlatform : public Platform {
public:
    // The desktop's answer which program opens a type; tests give their own.
    explicit QtPlatform(DefaultApplicationQuery defaultApplication = xdgDefaultApplication);

    void showMessage(const QString& caption, const QString& text) override;
    std::optional<QString> inputText(const QString& caption, const QString& prompt, const QString& initial) override;
    std::optional<QString> openFile(const QString& title, const QString& filter, const QString& initialName,
                                    const QString& defaultSuffix) override;
    std::optional<QString> openPicture() override;
    std::optional<QFont> chooseFont(const QFont& initial) override;
    void printerSetup() override;
    void printDialog() override;
    void showPrintPreview(QPrintPreviewDialog& dialog) override;
    void setClipboardImage(const QImage& image) override;
    void openWithDefaultProgram(const QString& path, std::function<void(bool opened)> done) override;
    void popupMenu(QMenu* menu, const QPoint& globalPos) override;
    void quit() override;
    std::optional<QString> saveFile(const QString& title, const QString& filter, const QString& proposed,
                                    const QString& defaultSuffix) override;
    SaveAnswer askToSave(const QString& caption, const QString& question) override;
    bool askYesNo(const QString& caption, const QString& question) override;

private:
    DefaultApplicationQuery defaultApplication_;
};
