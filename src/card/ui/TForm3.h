#pragma once
#include "card/Notes.h"
#include "widgets/SecondaryWindow.h"

#include <optional>

class Platform;
class QPushButton;
class QTextEdit;

// The note dialog: a titled comment in a rich-text editor. Its caption is the
// comment's title. OK stores the comment for the card person.
class TForm3 : public SecondaryWindow {
    Q_OBJECT
public:
    TForm3(GenealogyStore& store, Platform& platform);

    // A new comment under this title, with an empty editor.
    void showNew(const QString& title);
    // View mode: a comment already taken out of the store and the card, whose
    // grid updates the caller has suspended. OK stores it under a new number;
    // any other way of closing puts it back as it was.
    void showViewed(const Note& note);

    void FormShow();
    void FormHide();
    void Button1Click();  // "ОК"
    void Button2Click();  // "Отмена"
    void Button3Click();  // "Заголовок"

    QTextEdit* RxRichEdit1 = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;
    QPushButton* Button3 = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void layOut();
    void endView();

    GenealogyStore& store_;
    Platform& platform_;
    std::optional<Note> viewed_;  // the comment in view mode, until OK stores it
    bool viewStep_ = false;       // the history step the viewing began is open
};
