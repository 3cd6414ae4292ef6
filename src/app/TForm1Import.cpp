// GEDCOM import as the main window runs it.
#include "app/TForm1.h"

#include "platform/Platform.h"
#include "gedcom/GedcomImport.h"
#include "gedcom/ui/ImportProgress.h"

#include <QFileInfo>

namespace {

// The window's side of an import. Status texts change at every line; the label
// takes the latest one only when the screen can show it.
class WindowImportHost : public GedcomImportHost {
public:
    explicit WindowImportHost(TForm1& form) : form_(form), progress_(&form) {}

    void setStatusText(const QString& text) override { status_ = text; }
    void progress(qint64 bytesRead, qint64 bytesTotal) override
    {
        form_.setStatusText(status_);
        progress_.update(bytesRead, bytesTotal);
    }
    void applyListSort() override { form_.Button1Click(); }
    void buildCard(int num) override { form_.BuildCard(num); }
    void flush() { form_.setStatusText(status_); }

private:
    TForm1& form_;
    ImportProgress progress_;
    QString status_;
};

} // namespace

void TForm1::N3Click()
{
    importGedcom([this] {
        return platform_.openFile(QStringLiteral("Выберите файл для импорта"), QStringLiteral("*.ged"),
                                  QStringLiteral("*.ged"));
    });
}

void TForm1::importGedcomFile(const QString& path)
{
    importGedcom([path] { return std::optional<QString>(path); });
}

void TForm1::importGedcom(const std::function<std::optional<QString>()>& choosePath)
{
    selectTab(ListMode);
    WindowImportHost host(*this);
    GedcomImport import(store_, host);
    import.begin();
    if (const std::optional<QString> path = choosePath()) {
        const bool read = import.readFile(*path);
        host.flush();
        if (read)
            setWindowTitle(applicationTitle() + QStringLiteral(": ") + QFileInfo(*path).fileName());
        else
            platform_.showMessage(applicationTitle(), import.errorText());
    }
    // Also after a cancelled dialog or a bad line: the list, card and counts show what is stored.
    import.finish();
    host.flush();
}
