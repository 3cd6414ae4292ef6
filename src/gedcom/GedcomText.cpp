#include "gedcom/GedcomText.h"

#include "gedcom/GedcomLine.h"

namespace {

// Upper half of the code page; 0x98 has no character and keeps its code.
constexpr char16_t upperHalf[64] = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409, 0x2039, 0x040A,
    0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x0098, 0x2122,
    0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6,
    0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407, 0x00B0, 0x00B1, 0x0406, 0x0456,
    0x0491, 0x00B5, 0x00B6, 0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457};

char16_t cp1251(unsigned char b)
{
    if (b < 0x80)
        return b;
    if (b >= 0xC0)
        return char16_t(0x0410 + (b - 0xC0));
    return upperHalf[b - 0x80];
}

} // namespace

QString decodeCp1251(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (qsizetype i = 0; i < bytes.size(); ++i)
        out[i] = QChar(cp1251(static_cast<unsigned char>(bytes[i])));
    return text;
}

QString decodeGedcomText(QByteArrayView bytes, bool utf8)
{
    return utf8 ? QString::fromUtf8(bytes) : decodeCp1251(bytes);
}

bool gedcomIsUtf8(const QByteArray& file)
{
    if (file.startsWith("\xEF\xBB\xBF"))
        return true;
    // The header is the first record: look at its lines up to the next level-0 line.
    qsizetype start = 0;
    bool inHeader = false;
    while (start < file.size()) {
        qsizetype end = file.indexOf('\n', start);
        if (end < 0)
            end = file.size();
        const QString line = QString::fromLatin1(QByteArrayView(file.constData() + start, end - start)).trimmed();
        start = end + 1;
        GedcomLine parsed;
        if (ParseGedcomLine(line, parsed) != GedcomParse::Ok)
            continue;
        if (parsed.level == 0) {
            if (inHeader)
                return false;
            inHeader = true;
        }
        if (parsed.level == 1 && parsed.tag == QLatin1String("CHAR")) {
            const QString name = parsed.value.trimmed().toUpper();
            return name == QLatin1String("UTF-8") || name == QLatin1String("UTF8");
        }
    }
    return false;
}
