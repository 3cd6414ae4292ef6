#pragma once
#include "gedcom/GedcomSummary.h"
#include "genealogy/NameParts.h"
#include "store/GenealogyStore.h"

#include <optional>

// The person's sex as a file states it; Unknown sets sexnotset.
enum class GedcomSex { Unknown, Male, Female };

struct GedcomPersonRow {
    int number = 0;
    NameParts parts;
    GedcomSex sex = GedcomSex::Unknown;
    QString birthDate, birthPlace, deathDate, deathPlace;
};

// Every row the import adds goes through here: values are cut to their
// field at whole characters and counted, and event and note numbers follow
// on from the highest ones in the store.
class GedcomStoreWriter {
public:
    GedcomStoreWriter(GenealogyStore& store, GedcomSummary& summary);

    // Reads the highest event and note numbers; call before any row is added.
    void start();
    // Why numbers would run past the largest int if the file added this many
    // persons and at most this many events and notes; empty when they fit.
    QString overflow(int importBase, qint64 persons, qint64 recordsAtMost) const;

    void person(const GedcomPersonRow& row);
    int event(const QString& type, const QString& date, const QString& place);
    void participant(int event, int person, const QString& role);
    void link(int id1, int id2, int kind);
    void name(int person, const QString& type, const QString& text, GedcomSex sex);
    void comment(int person, const QString& title, const QString& text);
    void media(int person, const QString& title, const QString& path);

private:
    QString fit(const QString& text, int size);

    GenealogyStore& store_;
    GedcomSummary& summary_;
    int lastEvent_ = 0;
    int lastNote_ = -1;
};

// The text cut to size characters, never inside a surrogate pair.
QString cutToField(const QString& text, int size);
