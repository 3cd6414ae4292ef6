#pragma once
#include "platform/Platform.h"

#include <QStringList>
#include <deque>
#include <functional>
#include <vector>

// Answers every dialog from queues filled by a test and records what was shown.
// An unanswered chooser or input box counts as cancelled.
class ScriptedPlatform : public Platform {
public:
    struct Message {
        QString caption;
        QString text;
    };
    struct Popup {
        QString menuName;
        QPoint globalPos;
    };

    std::deque<std::optional<QString>> inputAnswers;
    std::deque<std::optional<QString>> fileAnswers;
    std::deque<std::optional<QString>> pictureAnswers;
    std::deque<std::optional<QFont>> fontAnswers;
    bool openResult = true;

    std::vector<Message> messages;
    std::vector<Popup> popups;
    QStringList inputCaptions;
    QStringList inputPrompts;
    QStringList fileTitles;
    QStringList fileSuffixes;  // the default suffix of every open-file chooser
    QStringList opened;
    std::optional<QImage> clipboard;
    int printerSetups = 0;
    int printDialogs = 0;
    int printPreviews = 0;
    // Looks at a print preview while it would be shown.
    std::function<void(QPrintPreviewDialog&)> onPrintPreview;
    int quits = 0;

    QString lastMessage() const { return messages.empty() ? QString() : messages.back().text; }

    void showMessage(const QString& caption, const QString& text) override;
    std::optional<QString> inputText(const QString& caption, const QString& prompt, const QString& initial) override;
    std::optional<QString> openFile(const QString& title, const QString& filter, const QString& initialName,
                                    const QString& defaultSuffix) override;
    std::optional<QString> openPicture() override;
    std::optional<QFont> chooseFont(const QFont& initial) override;
    void printerSetup() override { ++printerSetups; }
    void printDialog() override { ++printDialogs; }
    void showPrintPreview(QPrintPreviewDialog& dialog) override
    {
        ++printPreviews;
        if (onPrintPreview)
            onPrintPreview(dialog);
    }
    void setClipboardImage(const QImage& image) override { clipboard = image; }
    void openWithDefaultProgram(const QString& path, std::function<void(bool opened)> done) override;
    void popupMenu(QMenu* menu, const QPoint& globalPos) override;
    void quit() override { ++quits; }

    std::deque<std::optional<QString>> saveAnswers;   // save-file choosers
    std::deque<SaveAnswer> saveQuestionAnswers;        // unanswered: "Отмена"
    QStringList saveQuestions;
    QStringList saveProposals;
    std::optional<QString> saveFile(const QString& title, const QString& filter, const QString& proposed,
                                    const QString& defaultSuffix) override;
    SaveAnswer askToSave(const QString& caption, const QString& question) override;
    std::deque<bool> yesNoAnswers;  // unanswered: "Нет"
    QStringList yesNoQuestions;
    bool askYesNo(const QString& caption, const QString& question) override;
};
