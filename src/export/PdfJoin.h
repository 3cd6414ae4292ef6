#pragma once
#include <QByteArray>
#include <QString>
#include <map>
#include <optional>
#include <vector>

class QIODevice;

// One page made of the one-page documents that QPdfWriter made of its parts,
// each part kept as a form drawn over the ones before, so that no part's
// content need be in memory with another's. The parts share the page size;
// the first part's document information (title, creator) becomes the page's.
class PdfPageJoin {
public:
    explicit PdfPageJoin(QIODevice& output);

    // Appends the page of a part; a Russian reason when the part cannot be read.
    std::optional<QString> addPart(const QByteArray& document);
    // Writes the page, its tree and the cross-reference table.
    std::optional<QString> finish();
    // A write to the output was refused.
    bool failed() const { return failed_; }

private:
    int newObject();
    void beginObject(int number);
    void put(const QByteArray& bytes);

    QIODevice& output_;
    qint64 written_ = 0;
    bool failed_ = false;
    std::vector<qint64> offsets_;  // by object number less one
    std::vector<int> forms_;
    QByteArray mediaBox_;
    int info_ = 0;
};

// The objects of a document that QPdfWriter wrote, found through its
// cross-reference table.
class PdfObjects {
public:
    explicit PdfObjects(const QByteArray& document);
    bool isValid() const { return valid_; }

    struct Object {
        QByteArray dictionary;  // or the whole value of an object without a stream
        QByteArray stream;      // raw, still encoded
        bool hasStream = false;
    };
    std::optional<Object> object(int number) const;
    QByteArray trailer() const { return trailer_; }

private:
    std::optional<qint64> integerValue(const QByteArray& value) const;

    const QByteArray& bytes_;
    std::map<int, qsizetype> offsets_;
    QByteArray trailer_;
    bool valid_ = false;
};

// The value of a key in a dictionary's text: a reference, a name, a number,
// an array or a dictionary, as written; nothing when absent.
std::optional<QByteArray> pdfValue(const QByteArray& dictionary, const QByteArray& key);
// The object numbers the text refers to, in order of appearance.
std::vector<int> pdfReferences(const QByteArray& text);
