// Keeping the tree in a file: open, save, save as, the recent files, the
// modified marker and the question before unsaved changes would be lost.
#include "app/TForm1.h"
#include "store/TreeHistory.h"

#include "diagram/ui/DiagramController.h"
#include "gedcom/ui/ImportController.h"
#include "list/ui/PersonListController.h"
#include "platform/ApplicationSettings.h"
#include "platform/Platform.h"
#include "treefile/RecoveryCopy.h"
#include "treefile/TreeFile.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QLocale>
#include <QThread>
#include <QFileInfo>
#include <QMenu>
#include <QPointer>
#include <QTimer>

namespace {

const QString treeFilter = QStringLiteral("Древо Арболитуса (*.arbolitus)");
constexpr int recentFileCount = 10;

// A file manager may hand over a file under any name: an SQLite database is
// read as a tree file (which refuses a foreign one), a file that starts as
// GEDCOM does is imported, and only a file that tells neither goes by its suffix.
bool isTreeFileToOpen(const QString& path)
{
    QFile file(path);
    QByteArray head;
    // A pipe is not peeked at: reading it would take what the import needs.
    if (QFileInfo(path).isFile() && file.open(QIODevice::ReadOnly))
        head = file.read(100);
    if (head.startsWith(QByteArray("SQLite format 3\0", 16)))
        return true;
    if (head.startsWith("\xEF\xBB\xBF"))
        head.remove(0, 3);
    if (head.trimmed().startsWith("0 HEAD"))
        return false;
    return path.endsWith(QLatin1Char('.') + treeFileSuffix, Qt::CaseInsensitive);
}

QStringList recentFiles()
{
    return applicationSettings().value(QStringLiteral("recentFiles")).toStringList();
}

void keepRecentFiles(const QStringList& files)
{
    applicationSettings().setValue(QStringLiteral("recentFiles"), files.mid(0, recentFileCount));
}

} // namespace

void TForm1::markSaved()
{
    store_.history.setSaved();
    showSavedState(true);
}

void TForm1::updateCaption()
{
    const QString name = treeFile_.isEmpty() ? captionName_ : QFileInfo(treeFile_).fileName();
    setWindowTitle(applicationTitle() + (name.isEmpty() ? QString() : QStringLiteral(": ") + name)
                   + QStringLiteral("[*]"));
}

void TForm1::showFileInCaption(const QString& fileName)
{
    // An import into a kept tree leaves the tree file's name in the caption.
    captionName_ = fileName;
    updateCaption();
}

bool TForm1::maySaveChanges()
{
    if (!modified_)
        return true;
    const QString question = treeFile_.isEmpty()
                                 ? QStringLiteral("Сохранить изменения в новом древе?")
                                 : QStringLiteral("Сохранить изменения в «%1»?").arg(QFileInfo(treeFile_).fileName());
    switch (platform_.askToSave(applicationTitle(), question)) {
    case Platform::SaveAnswer::Save:
        return saveTree();
    case Platform::SaveAnswer::Discard:
        if (recovery_)
            recovery_->remove();
        return true;
    case Platform::SaveAnswer::Cancel:
        break;
    }
    return false;
}

bool TForm1::saveTree()
{
    return treeFile_.isEmpty() ? saveTreeAs() : writeTree(treeFile_);
}

QString TForm1::treeName() const
{
    const QString named = treeFile_.isEmpty() ? captionName_ : treeFile_;
    return named.isEmpty() ? QStringLiteral("Древо") : QFileInfo(named).completeBaseName();
}

bool TForm1::saveTreeAs()
{
    const QString proposed = treeFile_.isEmpty() ? treeName() + QStringLiteral(".arbolitus") : treeFile_;
    const std::optional<QString> path =
        platform_.saveFile(QStringLiteral("Сохранить древо"), treeFilter, proposed, treeFileSuffix);
    return path && writeTree(*path);
}

bool TForm1::writeTree(const QString& path)
{
    if (const std::optional<QString> error = saveTreeFile(store_, diagram_->keptDiagram(), path)) {
        platform_.showMessage(applicationTitle(), *error);
        return false;
    }
    treeFile_ = path;
    markSaved();
    updateCaption();
    rememberTreeFile(path);
    return true;
}

void TForm1::openTree()
{
    if (!maySaveChanges())
        return;
    if (const std::optional<QString> path =
            platform_.openFile(QStringLiteral("Открыть древо"), treeFilter, QString(), treeFileSuffix))
        loadTreeFile(*path);
}

bool TForm1::loadTreeFile(const QString& path)
{
    if (!replaceTree(path))
        return false;
    treeFile_ = path;
    markSaved();
    updateCaption();
    rememberTreeFile(path);
    return true;
}

// Opens a file into the window as "Новый" followed by the file's tables; the caller names it.
bool TForm1::replaceTree(const QString& path)
{
    auto opened = openTreeFile(path);
    if (const QString* error = std::get_if<QString>(&opened)) {
        platform_.showMessage(applicationTitle(), *error);
        return false;
    }
    OpenedTree& tree = std::get<OpenedTree>(opened);
    for (QWidget* window : windows_.all())
        window->hide();
    {
        // Another tree: the steps of this one cannot be undone in it.
        const HistorySuspended quiet(store_.history);
        startNewTree();
        replaceStoreTables(store_, *tree.store);
        diagram_->applyKeptDiagram(tree.diagram);
    }
    store_.history.clear();
    selectTab(ListMode);
    store_.persons.first();
    captionName_.clear();
    showCountsFromTables();
    return true;
}

bool TForm1::writeRecoveryCopy()
{
    if (!modified_ || !recovery_)
        return true;
    const QPointer<TForm1> self(this);
    return recovery_->write(store_, diagram_->keptDiagram(), treeFile_, [self](const QString& reason) {
        QMetaObject::invokeMethod(
            self, [self, reason] {
                if (self)
                    self->setStatusText(QStringLiteral("Копия для восстановления не записана: ") + reason);
            },
            Qt::QueuedConnection);
    });
}

bool TForm1::recoveryRetryPending() const
{
    return recoveryRetry_->isActive();
}

// Between handlers only: not inside a dialog's own loop, an import or a build.
void TForm1::recoveryTick()
{
    const bool idle = !QApplication::activeModalWidget() && !QApplication::activePopupWidget()
                      && QThread::currentThread()->loopLevel() <= 1 && !store_.persons.controlsDisabled();
    if (!idle || !writeRecoveryCopy())
        recoveryRetry_->start();
    else
        recoveryRetry_->stop();
}

void TForm1::openStartFile(const QString& path)
{
    if (path.isEmpty())
        return;
    // A restored recovery copy is unsaved work: the file named at start neither
    // replaces it nor is mixed into it without the question "Новый" asks.
    if (modified_) {
        if (!maySaveChanges())
            return;
        resetToNewTree();
    }
    if (isTreeFileToOpen(path))
        loadTreeFile(path);
    else
        import_->importGedcomFile(path);
}

void TForm1::offerRecoveryCopies()
{
    for (const StaleRecoveryCopy& copy : staleRecoveryCopies()) {
        const QString when = QLocale(QLocale::Russian).toString(copy.written, QStringLiteral("dd.MM.yyyy HH:mm"));
        if (!platform_.askYesNo(applicationTitle(),
                                QStringLiteral("Восстановить несохранённое древо от %1?").arg(when))) {
            discardRecoveryCopy(copy);
            continue;
        }
        if (replaceTree(copy.path)) {
            treeFile_ = copy.treeFile;
            updateCaption();
            store_.history.clear(false);
            // This instance's own copy first: the restored work is never only in memory.
            writeRecoveryCopy();
            if (recovery_)
                recovery_->finishWriting();
            discardRecoveryCopy(copy);
        } else {
            setRecoveryCopyAside(copy);
        }
        return;
    }
}

void TForm1::rememberTreeFile(const QString& path)
{
    QStringList files = recentFiles();
    const QString full = QFileInfo(path).absoluteFilePath();
    files.removeAll(full);
    files.prepend(full);
    keepRecentFiles(files);
    rebuildRecentFiles();
}

void TForm1::rebuildRecentFiles()
{
    recentFiles_->clear();
    const QStringList files = recentFiles();
    for (const QString& file : files)
        connect(recentFiles_->addAction(QFileInfo(file).fileName()), &QAction::triggered, this,
                [this, file] { openRecentFile(file); });
    recentFiles_->setEnabled(!files.isEmpty());
}

void TForm1::openRecentFile(const QString& path)
{
    if (!QFileInfo::exists(path)) {
        platform_.showMessage(applicationTitle(),
                              QStringLiteral("Файл «%1» не найден; он убран из списка недавних.").arg(path));
        QStringList files = recentFiles();
        files.removeAll(path);
        keepRecentFiles(files);
        rebuildRecentFiles();
        return;
    }
    if (maySaveChanges())
        loadTreeFile(path);
}

void TForm1::closeEvent(QCloseEvent* event)
{
    if (maySaveChanges())
        event->accept();
    else
        event->ignore();
}
