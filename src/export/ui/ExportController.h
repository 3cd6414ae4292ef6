#pragma once
#include <QObject>

class DiagramController;
struct GenealogyStore;
class MainFrame;

// The ways out of the main window: "Экспорт" ▸ "Gedcom" and "Clipboard (BMP-1bit)".
class ExportController : public QObject {
    Q_OBJECT
public:
    ExportController(GenealogyStore& store, MainFrame& frame, DiagramController& diagram, QObject* parent);

    void ClipboardBMP1Click();
    void Gedcom1Click();  // in GedcomCommand.cpp

private:
    GenealogyStore& store_;
    MainFrame& frame_;
    DiagramController& diagram_;
};
