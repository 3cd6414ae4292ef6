#pragma once
#include "gedcom/GedcomImport.h"

// The window's part of an import when there is no window (the batch mode, the
// fuzz target): the list sorted as at start-up, the card filled, no status.
class WindowlessImportHost : public GedcomImportHost {
public:
    explicit WindowlessImportHost(GenealogyStore& store) : store_(store) {}
    void setStatusText(const QString&) override {}
    void progress(qint64, qint64) override {}
    void applyListSort() override;
    void buildCard(int num) override;

private:
    GenealogyStore& store_;
};
