#include "gedcom/ui/ImportController.h"
#include "store/TreeHistory.h"

#include "card/ui/CardController.h"
#include "gedcom/GedcomImport.h"
#include "gedcom/ui/ImportProgress.h"
#include "list/ui/PersonListController.h"
#include "platform/Platform.h"
#include "widgets/MainFrame.h"

#include <QFileInfo>

namespace {

// The window's side of an import. Status texts change at every line; the label
// takes the latest one only when the screen can show it.
class WindowImportHost : public GedcomImportHost {
public:
    WindowImportHost(MainFrame& frame, PersonListController& list, CardController& card)
        : frame_(frame), list_(list), card_(card), progress_(frame.frameWindow())
    {
    }

    void setStatusText(const QString& text) override { status_ = text; }
    void progress(qint64 bytesRead, qint64 bytesTotal) override
    {
        frame_.setStatusText(status_);
        progress_.update(bytesRead, bytesTotal);
    }
    void applyListSort() override { list_.Button1Click(); }
    void buildCard(int num) override { card_.BuildCard(num); }
    void flush() { frame_.setStatusText(status_); }

private:
    MainFrame& frame_;
    PersonListController& list_;
    CardController& card_;
    ImportProgress progress_;
    QString status_;
};

} // namespace

ImportController::ImportController(GenealogyStore& store, MainFrame& frame, PersonListController& list,
                                   CardController& card, QObject* parent)
    : QObject(parent), store_(store), frame_(frame), list_(list), card_(card)
{
    setObjectName(QStringLiteral("importController"));
}

void ImportController::N3Click()
{
    importGedcom([this] {
        return frame_.platform().openFile(QStringLiteral("Выберите файл для импорта"), QStringLiteral("*.ged"),
                                          QStringLiteral("*.ged"), QStringLiteral("ged"));
    });
}

void ImportController::importGedcomFile(const QString& path)
{
    importGedcom([path] { return std::optional<QString>(path); });
}

void ImportController::importGedcom(const std::function<std::optional<QString>()>& choosePath)
{
    frame_.selectTab(MainFrame::ListMode);
    // The whole import is one step, whatever it read before a bad line.
    const HistoryStep step(store_.history, QStringLiteral("импорт GEDCOM"));
    WindowImportHost host(frame_, list_, card_);
    GedcomImport import(store_, host);
    import.begin();
    if (const std::optional<QString> path = choosePath()) {
        store_.history.nameStep(QStringLiteral("импорт «%1»").arg(QFileInfo(*path).fileName()));
        const bool read = import.readFile(*path);
        host.flush();
        if (read)
            frame_.showFileInCaption(QFileInfo(*path).fileName());
        else
            frame_.platform().showMessage(MainFrame::applicationTitle(), import.errorText());
    }
    // Also after a cancelled dialog or a bad line: the list, card and counts show what is stored.
    import.finish();
    host.flush();
    const QString summary = import.summaryText();
    if (!summary.isEmpty())
        frame_.platform().showMessage(MainFrame::applicationTitle(), summary);
}
