#pragma once
#include <QObject>
#include <functional>
#include <optional>

class CardController;
struct GenealogyStore;
class MainFrame;
class PersonListController;

// The window side of a GEDCOM import: "Импорт", and the file given at start-up.
class ImportController : public QObject {
    Q_OBJECT
public:
    ImportController(GenealogyStore& store, MainFrame& frame, PersonListController& list, CardController& card,
                     QObject* parent);

    void N3Click();  // "Импорт"
    // Imports this file as if it had been chosen in "Импорт".
    void importGedcomFile(const QString& path);
    void importGedcom(const std::function<std::optional<QString>()>& choosePath);

private:
    GenealogyStore& store_;
    MainFrame& frame_;
    PersonListController& list_;
    CardController& card_;
};
