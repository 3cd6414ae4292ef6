#pragma once
// The layout of a tree file, shared by the writer and the reader.
#include "store/RecordTable.h"

#include <QCryptographicHash>
#include <QString>
#include <map>
#include <string>
#include <vector>

namespace treefile {

inline const QString productName = QStringLiteral("Арболитус");
inline const QString positionColumn = QStringLiteral("_position");
inline const QString creationColumn = QStringLiteral("_creation");
inline const QString checksumKey = QStringLiteral("checksum");

// The stored fields of a table: every field but the calculated ones.
std::vector<int> storedFields(const RecordTable& table);
QString sqlType(FieldKind kind);
QString quoted(const QString& identifier);
QString counterKey(const char* table);

// The meta table's values, by key.
using MetaValues = std::map<QString, QByteArray>;

// A digest over the stored values in a fixed order, the same for writing and
// reading: every value tagged with its kind and length. Version 1 files sum
// SHA-256 over texts as UTF-16, all tables in one run; version 2 files sum
// BLAKE2b over texts as the UTF-8 the file holds, each table apart, then the
// tables' sums: several times faster to read, and tables read side by side.
class ContentHash {
public:
    explicit ContentHash(int fileVersion);
    void addNull() { put('N'); }
    void addInteger(std::int64_t value);
    // The text as the file holds it, in UTF-8; converted for version 1 sums.
    void addText(QByteArrayView utf8);
    void addName(const char* name) { addText(QByteArrayView(name)); }
    void addBytes(char tag, const QByteArray& bytes);
    void addMeta(const MetaValues& meta);
    QString hex();
    QByteArray digest();

private:
    void put(char c)
    {
        buffer_.push_back(c);
        flushIfFull();
    }
    void put(const char* bytes, std::size_t size);
    void flushIfFull()
    {
        if (buffer_.size() >= 1 << 16)
            flush();
    }
    void flush();

    int version_;
    QCryptographicHash hash_;
    std::string buffer_;  // small values are summed in blocks
};

// "Не удалось …" messages name the file; reasons are short Russian phrases.
QString fileLabel(const QString& path);

} // namespace treefile
