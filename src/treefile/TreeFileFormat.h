#pragma once
// The layout of a tree file, shared by the writer and the reader.
#include "store/RecordTable.h"

#include <QCryptographicHash>
#include <QString>
#include <map>
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

// A SHA-256 over the stored values in a fixed order, the same for writing and
// reading: every value tagged with its kind and length.
class ContentHash {
public:
    ContentHash() : hash_(QCryptographicHash::Sha256) {}
    void addNull() { hash_.addData("N"); }
    void addInteger(std::int64_t value);
    void addText(QStringView text);
    void addBytes(char tag, const QByteArray& bytes);
    void addMeta(const MetaValues& meta);
    QString hex() const { return QString::fromLatin1(hash_.result().toHex()); }

private:
    QCryptographicHash hash_;
};

// "Не удалось …" messages name the file; reasons are short Russian phrases.
QString fileLabel(const QString& path);

} // namespace treefile
