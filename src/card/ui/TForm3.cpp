#include "card/ui/TForm3.h"
#include "store/TreeHistory.h"

#include "dialogs/ui/DialogFlags.h"
#include "platform/Platform.h"

#include <QPushButton>
#include <QTextEdit>

namespace {

// The client area of the designed 406 × 408 window and the buttons' distance from its bottom.
constexpr int ClientWidth = 398;
constexpr int ClientHeight = 381;
constexpr int EditorHeight = 353;

QPushButton* button(QWidget* parent, const char* name, const char* caption)
{
    auto* b = new QPushButton(QString::fromUtf8(caption), parent);
    b->setObjectName(QString::fromUtf8(name));
    b->resize(75, 25);
    return b;
}

const QString TitleCaption = QStringLiteral("Создание заметки");
const QString TitlePrompt = QStringLiteral("Введите заголовок");

} // namespace

TForm3::TForm3(GenealogyStore& store, Platform& platform)
    : SecondaryWindow(QStringLiteral("TForm3"), QStringLiteral("Дополнительная информация"),
                      Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::WindowMaximizeButtonHint | Qt::WindowStaysOnTopHint),
      store_(store), platform_(platform)
{
    RxRichEdit1 = new QTextEdit(this);
    RxRichEdit1->setObjectName(QStringLiteral("RxRichEdit1"));
    RxRichEdit1->setAcceptRichText(true);
    Button1 = button(this, "Button1", "ОК");
    Button3 = button(this, "Button3", "Заголовок");
    // Made after "Заголовок", so that it lies on top and covers it.
    Button2 = button(this, "Button2", "Отмена");
    connect(Button1, &QPushButton::clicked, this, &TForm3::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TForm3::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &TForm3::Button3Click);
    // Escape is "Отмена"; in view mode it closes, which keeps the comment as it was.
    setClosesOnEscape(true);
    resize(ClientWidth, ClientHeight);
    layOut();
    centreOnScreen(this);
}

void TForm3::resizeEvent(QResizeEvent* event)
{
    SecondaryWindow::resizeEvent(event);
    layOut();
}

void TForm3::layOut()
{
    const int bottom = height() - ClientHeight;  // the buttons keep their distance from the bottom
    RxRichEdit1->setGeometry(0, 0, width(), EditorHeight + bottom);
    Button1->move(111, 354 + bottom);
    Button2->move(220, 355 + bottom);
    Button3->move(219, 355 + bottom);
}

void TForm3::showNew(const QString& title)
{
    setWindowTitle(title);
    RxRichEdit1->clear();
    show();
}

void TForm3::showViewed(const Note& note)
{
    setWindowTitle(note.header);
    RxRichEdit1->setPlainText(note.data);
    viewed_ = note;
    viewStep_ = true;
    Button2->hide();
    show();
}

void TForm3::showEvent(QShowEvent* event)
{
    SecondaryWindow::showEvent(event);  // disables the main window
    FormShow();
}

void TForm3::hideEvent(QHideEvent* event)
{
    SecondaryWindow::hideEvent(event);  // enables the main window
    FormHide();
}

void TForm3::FormShow()
{
    RxRichEdit1->setFocus();
}

void TForm3::FormHide()
{
    // Closed in view mode without OK: the comment goes back unchanged.
    if (viewed_) {
        restoreComment(store_, *viewed_);
        endView();
    }
}

void TForm3::endView()
{
    viewed_.reset();
    store_.cardComments.enableControls();  // suspended by view mode
    Button2->show();
    if (viewStep_) {
        viewStep_ = false;
        store_.history.endStep();
    }
}

void TForm3::Button1Click()
{
    const int person = store_.persons.asInteger(PersonField::num);
    const QString header = windowTitle();
    const QString text = RxRichEdit1->toPlainText();
    viewed_.reset();  // stored anew below, not put back on hiding
    hide();
    {
        const HistoryStep step(store_.history, QStringLiteral("добавление комментария"));
        storeComment(store_, person, header, text);
    }
    endView();
}

void TForm3::Button2Click()
{
    hide();
}

void TForm3::Button3Click()
{
    const QString title = platform_.inputText(TitleCaption, TitlePrompt, QString()).value_or(QString());
    if (!title.isEmpty())
        setWindowTitle(title);
}
