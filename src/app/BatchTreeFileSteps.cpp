// The batch steps that keep the tree in a file, through the same code as
// "Открыть…" and "Сохранить как…".
#include "app/BatchRun.h"

#include "treefile/TreeFile.h"

bool runOpenStep(BatchSession& session, const QStringList& values)
{
    auto opened = openTreeFile(values.value(0));
    if (const QString* error = std::get_if<QString>(&opened)) {
        session.printError(*error);
        return false;
    }
    OpenedTree& tree = std::get<OpenedTree>(opened);
    replaceStoreTables(session.store, *tree.store);
    session.settings = tree.diagram.settings;
    if (!tree.diagram.font.isEmpty())
        session.font.fromString(tree.diagram.font);
    session.scroll.setRanges(tree.diagram.horzRange, tree.diagram.vertRange);
    session.scroll.setHorzPosition(tree.diagram.horzPosition);
    session.scroll.setVertPosition(tree.diagram.vertPosition);
    session.rootMissing = false;
    return true;
}

bool runSaveStep(BatchSession& session, const QStringList& values)
{
    TreeFileDiagram diagram;
    diagram.settings = session.settings;
    diagram.font = session.font.toString();
    diagram.malePicture = session.pictures().male;
    diagram.femalePicture = session.pictures().female;
    diagram.horzRange = session.scroll.horzRange();
    diagram.vertRange = session.scroll.vertRange();
    diagram.horzPosition = session.scroll.horzPosition();
    diagram.vertPosition = session.scroll.vertPosition();
    if (const std::optional<QString> error = saveTreeFile(session.store, diagram, values.value(0))) {
        session.printError(*error);
        return false;
    }
    return true;
}
