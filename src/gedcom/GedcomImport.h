#pragma once
#include "gedcom/GedcomRecords.h"
#include "gedcom/GedcomStoreWriter.h"
#include "gedcom/GedcomSummary.h"
#include "store/GenealogyStore.h"

#include <QString>

// What the import needs of whoever runs it: the window, or the batch run.
class GedcomImportHost {
public:
    virtual ~GedcomImportHost() = default;
    virtual void setStatusText(const QString& text) = 0;
    virtual void progress(qint64 bytesRead, qint64 bytesTotal) = 0;
    virtual void applyListSort() = 0;    // the filter panel's "Применить"
    virtual void buildCard(int num) = 0;
};

// One run of "Импорт": begin() before the file is chosen, readFile() when one
// was, finish() in every case.
class GedcomImport {
public:
    GedcomImport(GenealogyStore& store, GedcomImportHost& host);

    void begin();
    // False when the file could not be read or the import stopped at a bad line;
    // what was stored before stays. errorText() then says why.
    bool readFile(const QString& path);
    // The same for bytes already in memory; fileName names them in messages.
    bool readData(const QByteArray& file, const QString& fileName);
    void finish();

    const QString& errorText() const { return error_; }
    int personCounter() const { return records_.lastPerson(); }
    const GedcomSummary& summary() const { return summary_; }
    // What was read and what was not; empty when no file was read at all.
    QString summaryText() const;

private:
    bool readLines(const struct GedcomBytes& file);
    bool readLine(const QString& text, qint64 lineNumber);
    void fail(qint64 lineNumber, const QString& why);

    GenealogyStore& store_;
    GedcomImportHost& host_;
    GedcomSummary summary_;
    GedcomStoreWriter writer_;
    GedcomRecords records_;
    GedcomLine line_;
    int importBase_ = 0;
    bool suspended_ = false;
    bool fileRead_ = false;
    QString error_;
    QString fileName_;
};
