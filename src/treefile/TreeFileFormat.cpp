#include "treefile/TreeFileFormat.h"

#include <QFileInfo>
#include <bit>

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
    char bytes[9] = {'I'};
    for (int i = 0; i < 8; ++i)
        bytes[i + 1] = char((std::uint64_t(value) >> (8 * i)) & 0xff);
    hash_.addData(QByteArrayView(bytes, 9));
}

void ContentHash::addText(QStringView text)
{
    // The UTF-16 units in little-endian order, as the tag and the length frame them.
    addInteger(text.size());
    hash_.addData("T");
    if constexpr (std::endian::native == std::endian::little) {
        hash_.addData(QByteArrayView(reinterpret_cast<const char*>(text.utf16()), text.size() * 2));
        return;
    }
    for (QChar c : text) {
        const char16_t unit = c.unicode();
        const char pair[2] = {char(unit & 0xff), char(unit >> 8)};
        hash_.addData(QByteArrayView(pair, 2));
    }
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
