#pragma once
#include <QObject>

class DiagramController;
struct DiagramChart;
struct GenealogyStore;
class MainFrame;

// The ways out of the main window: "Экспорт" ▸ "Gedcom", "Clipboard (BMP-1bit)",
// "Изображение (PNG, SVG, PDF)…" and "Ген. росписи (txt)", and "Печать".
class ExportController : public QObject {
    Q_OBJECT
public:
    ExportController(GenealogyStore& store, MainFrame& frame, DiagramController& diagram, QObject* parent);

    void ClipboardBMP1Click();
    void Gedcom1Click();  // in GedcomCommand.cpp
    void Image1Click();
    void txt1Click();
    void N6Click();
    // "Печать" is offered in the diagram mode while the diagram has boxes.
    bool canPrint() const;
    // Whose descendants the register lists: the one selected box in the
    // diagram mode, otherwise the persons table's current person.
    int registerRoot() const;

private:
    DiagramChart chart() const;
    void tell(const QString& text);

    GenealogyStore& store_;
    MainFrame& frame_;
    DiagramController& diagram_;
};
