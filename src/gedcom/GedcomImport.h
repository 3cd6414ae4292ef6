#pragma once
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
    int personCounter() const { return n_; }

private:
    struct PendingPerson {
        QString fam, name, surname;
        bool sex = false;
        bool named = false;
        QString birthDate, birthPlace, deathDate, deathPlace;
    };

    bool readLines(const struct GedcomBytes& file);
    bool readLine(const QString& text, qint64 lineNumber);
    void fail(qint64 lineNumber, const QString& why);
    void onIndividual();
    void onFamilyLine(const struct GedcomLine& line, qint64 lineNumber, bool& ok);
    void onIndividualLine(const struct GedcomLine& line);
    void storePendingPerson(int p);
    void storeEvents(int p);
    void storeEvent(int p, const char* type, const QString& date, const QString& place, const char* role);
    bool pointerNumber(const struct GedcomLine& line, qint64 lineNumber, int& number);

    GenealogyStore& store_;
    GedcomImportHost& host_;
    QString tagAtLevel_[6];
    PendingPerson pending_;
    int importBase_ = 0;
    int n_ = 0;
    bool first_ = true;
    int eventCounter_ = 1;
    bool birthSeen_ = false;
    bool deathSeen_ = false;
    int husband_ = -1;
    int wife_ = -1;
    bool suspended_ = false;
    QString error_;
    QString fileName_;
};
