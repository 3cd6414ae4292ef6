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

ContentHash::ContentHash(int fileVersion)
    : version_(fileVersion),
      hash_(fileVersion >= 2 ? QCryptographicHash::Blake2b_256 : QCryptographicHash::Sha256)
{
    buffer_.reserve((1 << 16) + 64);
}

void ContentHash::put(const char* bytes, std::size_t size)
{
    if (size > 4096) {
        flush();
        hash_.addData(QByteArrayView(bytes, qsizetype(size)));
        return;
    }
    buffer_.append(bytes, size);
    flushIfFull();
}

void ContentHash::flush()
{
    hash_.addData(QByteArrayView(buffer_.data(), qsizetype(buffer_.size())));
    buffer_.clear();
}

void ContentHash::addInteger(std::int64_t value)
{
    if (version_ >= 2) {
        // A tag and a zigzag varint: most values take two or three bytes.
        char bytes[11] = {'I'};
        std::uint64_t zigzag = (std::uint64_t(value) << 1) ^ std::uint64_t(value >> 63);
        std::size_t size = 1;
        for (; zigzag >= 0x80; zigzag >>= 7)
            bytes[size++] = char(zigzag | 0x80);
        bytes[size++] = char(zigzag);
        put(bytes, size);
        return;
    }
    char bytes[9] = {'I'};
    for (int i = 0; i < 8; ++i)
        bytes[i + 1] = char((std::uint64_t(value) >> (8 * i)) & 0xff);
    put(bytes, 9);
}

void ContentHash::addText(QByteArrayView utf8)
{
    if (version_ >= 2) {
        addInteger(utf8.size());
        put('U');
        put(utf8.data(), std::size_t(utf8.size()));
        return;
    }
    // The UTF-16 units in little-endian order, as the tag and the length frame them.
    const QString text = QString::fromUtf8(utf8);
    addInteger(text.size());
    put('T');
    if constexpr (std::endian::native == std::endian::little) {
        put(reinterpret_cast<const char*>(text.utf16()), std::size_t(text.size()) * 2);
        return;
    }
    for (QChar c : text) {
        const char16_t unit = c.unicode();
        const char pair[2] = {char(unit & 0xff), char(unit >> 8)};
        put(pair, 2);
    }
}

void ContentHash::addBytes(char tag, const QByteArray& bytes)
{
    put(tag);
    const QByteArray size = QByteArray::number(bytes.size());
    put(size.constData(), std::size_t(size.size()));
    put(':');
    put(bytes.constData(), std::size_t(bytes.size()));
}

void ContentHash::addMeta(const MetaValues& meta)
{
    for (const auto& [key, value] : meta)
        if (key != checksumKey) {
            addText(key.toUtf8());
            addBytes('B', value);
        }
}

QString ContentHash::hex()
{
    return QString::fromLatin1(digest().toHex());
}

QByteArray ContentHash::digest()
{
    flush();
    return hash_.result();
}

QString fileLabel(const QString& path)
{
    return QStringLiteral("«") + QFileInfo(path).fileName() + QStringLiteral("»");
}

} // namespace treefile
