#pragma once
#include <QByteArray>
#include <QString>

// Emits GEDCOM lines as UTF-8. Every line, its CR LF included, stays within
// maxLineBytes bytes: counting bytes keeps it within the limit however a
// reader counts. A value too long for one line goes on with CONC lines, cut
// between whole characters and, where it can be, away from blanks, which
// readers tend to drop at either end of a line. Every "@" of a value is doubled.
class GedcomWriter {
public:
    static constexpr int maxLineBytes = 255;

    explicit GedcomWriter(QByteArray& out) : out_(out) {}

    // "0 @I12@ INDI": a record named by a letter and its number.
    void record(char kind, int number, const char* tag);
    // "1 FAMS @F3@"
    void pointer(int level, const char* tag, char kind, int number);
    // "level TAG" and nothing after it.
    void tag(int level, const char* tag);
    // A value of one line: line breaks and other control characters become blanks.
    void single(int level, const char* tag, const QString& value);
    // A date: its calendar escapes ("@#DJULIAN@") stand as they are.
    void date(int level, const QString& value);
    // A text of many lines: each line after the first goes on a CONT line.
    void text(int level, const char* tag, const QString& value);

private:
    // Its CONC lines go at concLevel: under the tag line, or beside a CONT line.
    void value(int level, const char* tag, QStringView value, int concLevel, bool escapes = false);
    void put(int level, const char* tag, QStringView piece, bool escapes);

    QByteArray& out_;
};

// The text with control characters and line or paragraph separators turned
// into blanks, and halves of surrogate pairs left alone into U+FFFD.
QString gedcomSingleLine(const QString& text);
