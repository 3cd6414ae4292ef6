#include "card/ui/CardController.h"
#include "card/ui/TForm3.h"
#include "diagram/ui/TOKBottomDlg1.h"
#include "list/ui/PersonListController.h"
#include "support/TestHelpers.h"

#include <QImage>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>

namespace {

class NotesWindow : public WindowTest {
protected:
    NotesWindow()
    {
        for (int num : {1, 2})
            s.persons.insertRecord({num, "", num == 1 ? "Иван" : "Анна", "", FieldValue(), num == 1, "", "", "", ""});
        openCard(1);
    }
    ~NotesWindow() override { form.windows().noteDialog->hide(); }

    TForm3& notes() { return *form.windows().noteDialog; }
    CardController& card() { return form.card(); }
    // "Добавить" on the comments grid, the title box answered, and the note dialog's OK.
    void addComment(const QString& title, const QString& text)
    {
        rightClick(card().DBGrid5, 0);
        platform.inputAnswers.push_back(title);
        card().N74Click();
        notes().RxRichEdit1->setPlainText(text);
        notes().Button1Click();
    }
    QList<int> noteNumbers() { return columnIntegers(s.notes, NoteField::num); }
};

} // namespace

TEST_F(NotesWindow, TheNoteDialogIsBuiltAsDesigned)
{
    TForm3& d = notes();
    EXPECT_EQ(d.windowTitle(), QStringLiteral("Дополнительная информация"));
    EXPECT_EQ(d.size(), QSize(398, 381));  // the client area of a 406 × 408 window
    EXPECT_TRUE(d.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(d.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(d.windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_EQ(d.RxRichEdit1->geometry(), QRect(0, 0, 398, 353));
    EXPECT_EQ(d.Button1->geometry(), QRect(111, 354, 75, 25));
    EXPECT_EQ(d.Button2->geometry(), QRect(220, 355, 75, 25));
    EXPECT_EQ(d.Button3->geometry(), QRect(219, 355, 75, 25));
    // "Отмена" lies on top of "Заголовок".
    EXPECT_EQ(d.childAt(250, 365), d.Button2);
    d.show();
    d.resize(600, 500);
    EXPECT_EQ(d.RxRichEdit1->geometry(), QRect(0, 0, 600, 472));
    EXPECT_EQ(d.Button2->pos(), QPoint(220, 474));
}

TEST_F(NotesWindow, CommentsAreAddedCancelledViewedAndRenamed)
{
    // Cancel in the title box, then "Отмена" in the note dialog: nothing stored.
    rightClick(card().DBGrid5, 0);
    card().N74Click();
    EXPECT_FALSE(notes().isVisible());
    platform.inputAnswers.push_back(QStringLiteral("Черновик"));
    card().N74Click();
    EXPECT_EQ(platform.inputCaptions.last(), QStringLiteral("Создание заметки"));
    EXPECT_EQ(platform.inputPrompts.last(), QStringLiteral("Введите заголовок"));
    ASSERT_TRUE(notes().isVisible());
    EXPECT_FALSE(form.isEnabled());
    EXPECT_EQ(notes().windowTitle(), QStringLiteral("Черновик"));
    notes().Button2Click();
    EXPECT_TRUE(form.isEnabled());
    EXPECT_TRUE(s.notes.isEmpty());

    const QString title25 = QStringLiteral("Воспоминания о детстве 25");
    addComment(title25, QStringLiteral("Родился в деревне."));
    addComment(QStringLiteral("Служба"), QStringLiteral("Армия"));
    EXPECT_EQ(gridTexts(card().DBGrid5), (QStringList{QStringLiteral("Служба"), title25.left(20)}));
    EXPECT_EQ(noteNumbers(), (QList<int>{1, 0}));

    // View the first, change its title in view mode, OK: stored anew under number 2.
    rightClick(card().DBGrid5, 1);
    card().N77Click();
    ASSERT_TRUE(notes().isVisible());
    EXPECT_EQ(notes().RxRichEdit1->toPlainText(), QStringLiteral("Родился в деревне."));
    EXPECT_FALSE(notes().Button2->isVisible());
    EXPECT_TRUE(notes().Button3->isVisible());
    platform.inputAnswers.push_back(QString());  // cancelled title box: title unchanged
    notes().Button3Click();
    EXPECT_EQ(notes().windowTitle(), title25.left(20));
    platform.inputAnswers.push_back(QStringLiteral("Детство"));
    notes().Button3Click();
    notes().Button1Click();
    EXPECT_FALSE(notes().Button2->isHidden());
    EXPECT_FALSE(s.cardComments.controlsDisabled());
    EXPECT_EQ(noteNumbers(), (QList<int>{2, 1}));
    openCard(1);
    EXPECT_EQ(gridTexts(card().DBGrid5).size(), 2);
    ASSERT_TRUE(s.notes.locate(NoteField::num, 2));
    EXPECT_EQ(s.notes.asString(NoteField::header), QStringLiteral("Детство"));
    EXPECT_EQ(s.notes.asString(NoteField::data), QStringLiteral("Родился в деревне."));
}

TEST_F(NotesWindow, ClosingAViewedCommentPutsItBackUnderItsNumber)
{
    addComment(QStringLiteral("Первая"), QStringLiteral("один"));
    addComment(QStringLiteral("Вторая"), QStringLiteral("два\nтри"));
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        // A double click on the line of "Вторая" opens it, the close box closes it.
        QTableView* grid = card().DBGrid5;
        const int line = gridTexts(grid).indexOf(QStringLiteral("Вторая"));
        ASSERT_GE(line, 0);
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(grid->model()->index(line, 0)).center());
        ASSERT_TRUE(notes().isVisible());
        EXPECT_EQ(notes().windowTitle(), QStringLiteral("Вторая"));
        EXPECT_EQ(s.notes.recordCount(), 1);
        EXPECT_TRUE(s.cardComments.controlsDisabled());
        notes().close();
        EXPECT_TRUE(form.isEnabled());
        EXPECT_FALSE(s.cardComments.controlsDisabled());
        EXPECT_FALSE(notes().Button2->isHidden());
        EXPECT_EQ(gridTexts(grid).size(), 2);  // the grid follows the table again
        ASSERT_TRUE(s.notes.locate(NoteField::num, 1));
        EXPECT_EQ(s.notes.asString(NoteField::header), QStringLiteral("Вторая"));
        EXPECT_EQ(s.notes.asString(NoteField::data), QStringLiteral("два\nтри"));
    }
    openCard(1);
    EXPECT_EQ(gridTexts(card().DBGrid5).size(), 2);
}

TEST_F(NotesWindow, TheMenuOffersWhatTheFocusedGridCanDo)
{
    struct Case {
        const char* what;
        bool comments;  // else the media grid has the focus
        bool rows;
        bool remove, viewHere, viewOutside;
    };
    const Case cases[] = {
        {"empty comments", true, false, false, false, false},
        {"empty media", false, false, false, false, false},
        {"comments", true, true, true, true, false},
        {"media", false, true, true, false, true},
    };
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("a.jpg"));
    QImage(4, 4, QImage::Format_RGB32).save(file, "JPG");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.rows && c.comments)
            addComment(QStringLiteral("к"), QString());
        if (c.rows && !c.comments) {
            rightClick(card().DBGrid6, 0);
            platform.inputAnswers.push_back(QStringLiteral("м"));
            platform.pictureAnswers.push_back(file);
            card().N74Click();
        }
        rightClick(c.comments ? card().DBGrid5 : card().DBGrid6, 0);
        EXPECT_EQ(platform.popups.back().menuName, QStringLiteral("PopupMenu5"));
        EXPECT_TRUE(card().N74->isEnabled());
        EXPECT_EQ(card().N75->isEnabled(), c.remove);
        EXPECT_EQ(card().N77->isEnabled(), c.viewHere);
        EXPECT_EQ(card().N78->isEnabled(), c.viewOutside);
    }
    // Deleting the only comment empties the grid and disables "Удалить".
    rightClick(card().DBGrid5, 0);
    card().N75Click();
    EXPECT_TRUE(gridTexts(card().DBGrid5).isEmpty());
    rightClick(card().DBGrid5, 0);
    EXPECT_FALSE(card().N75->isEnabled());
    // Without a focused grid "Удалить" keeps its state.
    card().DBGrid2->setFocus();
    card().PopupMenu5Popup();
    EXPECT_FALSE(card().N75->isEnabled());
    EXPECT_FALSE(card().N78->isEnabled());
}

TEST_F(NotesWindow, MediaFilesAreAttachedOpenedAndDeleted)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("семейное фото"));
    ASSERT_TRUE(QImage(8, 8, QImage::Format_RGB32).save(file, "JPG"));
    addComment(QStringLiteral("к"), QString());  // number 0

    // A cancelled title, a cancelled chooser and a missing file store nothing.
    rightClick(card().DBGrid6, 0);
    platform.inputAnswers = {std::nullopt, QStringLiteral("Фото"), QStringLiteral("Фото"), QStringLiteral("Фото")};
    platform.pictureAnswers = {std::nullopt, dir.filePath(QStringLiteral("нет такого.jpg")), file};
    for (int attempt = 0; attempt < 3; ++attempt)
        card().N74Click();
    EXPECT_EQ(s.notes.recordCount(), 1);
    EXPECT_EQ(platform.inputCaptions.last(), QStringLiteral("Присоединение медиа-файла"));
    EXPECT_EQ(platform.fileTitles.last(), QStringLiteral("Фото"));
    card().N74Click();
    EXPECT_EQ(gridTexts(card().DBGrid6), QStringList{QStringLiteral("Фото")});
    ASSERT_TRUE(s.notes.locate(NoteField::num, 1));
    EXPECT_FALSE(s.notes.asBoolean(NoteField::OwnerType));
    EXPECT_EQ(s.notes.asString(NoteField::data), file);

    // The chooser keeps the title for the legend pictures too.
    platform.pictureAnswers.push_back(std::nullopt);
    form.windows().imageProperties->Image1DblClick();
    EXPECT_EQ(platform.fileTitles.last(), QStringLiteral("Фото"));

    rightClick(card().DBGrid6, 0);
    card().N78Click();
    EXPECT_EQ(platform.opened, QStringList{file});
    EXPECT_TRUE(platform.messages.empty());
    platform.openResult = false;  // the file has gone, or no program takes it
    card().N78Click();
    EXPECT_EQ(platform.lastMessage(), QStringLiteral("Не могу запустить указанный файл"));
    EXPECT_EQ(s.notes.recordCount(), 2);

    card().N75Click();
    EXPECT_TRUE(gridTexts(card().DBGrid6).isEmpty());
    EXPECT_EQ(noteNumbers(), QList<int>{0});
}
