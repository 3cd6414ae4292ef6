#include "treefile/TreeFileFormat.h"

#include <QFileInfo>

namespace treefile {

std::vector<int> storedFields(const RecordTable& table)
{
    std::vector<int> fields;
    for (int f = 0; f < table.fieldCount(); ++f)
        if (!isCalculated(table.fields()[std::size_t(f)].kind))
            fields.push_back(f);
    return fields;
}

QString sqlType(FieldKind kind)
{
    return isTextKind(kind) ? QStringLiteral("TEXT") : QStringLiteral("INTEGER");
}

QString quoted(const QString& identifier)
{
    return QLatin1Char('"') + QString(identifier).replace(QLatin1Char('"'), QStringLiteral("\"\"")) + QLatin1Char('"');
}

QString counterKey(const char* table)
{
    return QStringLiteral("counter.") + QLatin1String(table);
}

void ContentHash::addInteger(std::int64_t value)
{
    hash_.addData("I");
    hash_.addData(QByteArray::number(qlonglong(value)));
    hash_.addData(";");
}

void ContentHash::addBytes(char tag, const QByteArray& bytes)
{
    hash_.addData(QByteArrayView(&tag, 1));
    hash_.addData(QByteArray::number(bytes.size()));
    hash_.addData(":");
    hash_.addData(bytes);
}

void ContentHash::addMeta(const MetaValues& meta)
{
    for (const auto& [key, value] : meta)
        if (key != checksumKey) {
            addText(key);
            addBytes('B', value);
        }
}

QString fileLabel(const QString& path)
{
    return QStringLiteral("«") + QFileInfo(path).fileName() + QStringLiteral("»");
}

} // namespace treefile
