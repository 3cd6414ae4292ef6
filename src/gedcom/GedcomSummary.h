#pragma once
#include <QMap>
#include <QString>

// What one import stored, and what the store could not take.
struct GedcomSummary {
    int persons = 0;
    int links = 0;
    int events = 0;
    int names = 0;
    int comments = 0;
    int media = 0;
    QMap<QString, int> unread;  // lines not read, by tag, each with the lines under it
    int danglingPointers = 0;   // pointers that name no record of the file
    int repeatedXrefs = 0;
    int cutValues = 0;

    void skip(const QString& tag) { ++unread[tag]; }
};

// The short Russian text shown after an import.
QString gedcomSummaryText(const GedcomSummary& summary, const QString& fileName);
