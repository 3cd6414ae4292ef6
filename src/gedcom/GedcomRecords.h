#pragma once
#include "gedcom/GedcomLine.h"
#include "gedcom/GedcomName.h"
#include "gedcom/GedcomStoreWriter.h"
#include "gedcom/XrefTable.h"

#include <QHash>
#include <vector>

struct EventKind;

// Reads the records of a file line by line and stores them: each individual
// when its record ends, and whatever names other records (families, further
// participants, notes and media by pointer) once every record has been read,
// through the records' own xrefs. One pass, then resolve().
class GedcomRecords {
public:
    GedcomRecords(GedcomStoreWriter& writer, GedcomSummary& summary);

    // The number the next individual record takes is importBase + 1.
    void start(int importBase);
    void line(const GedcomLine& line);
    // Stores the individual being read when the file ends; a record cut short by a bad line is dropped.
    void endOfFile();
    void resolve();
    int lastPerson() const { return lastPerson_; }

private:
    enum class Record { None, Header, Individual, Family, Note, Media, Skipped };
    enum class Part { None, Name, Event, Attribute, Note, Media, MediaFile, Date, Participant };

    struct Event {
        const EventKind* kind = nullptr;
        QString tag, type, date, place, role;
        std::optional<QString> exactDate;
        bool fieldsOnly = false;  // the person's birth or death fields, not an event
        std::vector<std::pair<int, QString>> others;  // symbol, role
    };
    struct Comment {
        QString title, text;
        int symbol = -1;  // a NOTE record named by pointer
    };
    struct Media {
        QString title, path;
        int symbol = -1;
    };
    struct Person {
        QString xref;
        std::vector<GedcomNameLines> names;
        GedcomSex sex = GedcomSex::Unknown;
        std::vector<Event> events;
        std::vector<Comment> comments;
        std::vector<Media> media;
        void clear();
    };
    struct FamilyExtra {
        std::vector<Event> events;
        std::vector<Comment> notes;
    };
    struct Family {
        int husband = -1, wife = -1;  // symbols
        std::uint32_t firstChild = 0, endChild = 0;
        int extra = -1;
    };
    struct Target {
        enum Kind : std::uint8_t { None, Person, Note, Media } kind = None;
        int value = 0;
    };
    struct MediaRecord {
        QString title;
        std::vector<QString> paths;
    };
    struct Pending {
        int owner;  // a person, or an event for participants
        int symbol;
        QString text;  // a title, or a role
    };

    void startRecord(const GedcomLine& line);
    void endRecord();
    void individualLine(const GedcomLine& line);
    void familyLine(const GedcomLine& line);
    void eventLine(Event& event, const GedcomLine& line, int base);
    void nameLine(GedcomNameLines& name, const GedcomLine& line);
    void mediaLine(std::vector<Media>& media, std::size_t first, const GedcomLine& line, int base);
    void noteRecordLine(const GedcomLine& line);
    void mediaRecordLine(const GedcomLine& line);
    void unread(const GedcomLine& line);
    void skipUnder(int level) { skipLevel_ = level; }
    void sink(QString* text, int level) { sink_ = text; sinkLevel_ = level; }

    int symbol(const QString& xref);
    void define(const QString& xref, Target::Kind kind, int value);
    int personOf(int symbol);

    void storePerson();
    void storeNames(int number, GedcomPersonRow& row);
    // Members of number 0 are left out.
    void storeEvent(const Event& event, std::initializer_list<std::pair<int, const QString*>> members);
    void storeFamily(const Family& family);
    void storeComment(int owner, const Comment& comment);

    GedcomStoreWriter& writer_;
    GedcomSummary& summary_;
    int lastPerson_ = 0;
    Record record_ = Record::None;
    Part part_ = Part::None;
    Part subPart_ = Part::None;
    int skipLevel_ = -1;
    QString* sink_ = nullptr;
    int sinkLevel_ = 0;
    std::size_t objeStart_ = 0;
    QString objeTitle_;

    Person person_;
    int personNumber_ = 0;
    XrefTable symbols_;
    std::vector<Target> targets_;
    std::vector<Family> families_;
    std::vector<int> children_;
    std::vector<FamilyExtra> familyExtras_;
    std::vector<QString> noteRecords_;
    std::vector<MediaRecord> mediaRecords_;
    std::vector<Pending> participants_, notes_, media_;
};
