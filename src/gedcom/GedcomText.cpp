#include "gedcom/GedcomText.h"

#include "gedcom/GedcomLine.h"

#include <QStringDecoder>

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

// ANSEL 0xA0..0xCF: spacing characters; 0 where the set has none.
constexpr char16_t anselSpacing[48] = {
    0,      0x0141, 0x00D8, 0x0110, 0x00DE, 0x00C6, 0x0152, 0x02B9, 0x00B7, 0x266D, 0x00AE, 0x00B1,
    0x01A0, 0x01AF, 0x02BC, 0,      0x02BB, 0x0142, 0x00F8, 0x0111, 0x00FE, 0x00E6, 0x0153, 0x02BA,
    0x0131, 0x00A3, 0x00F0, 0,      0x01A1, 0x01B0, 0x25A1, 0x25A0, 0x00B0, 0x2113, 0x2117, 0x00A9,
    0x266F, 0x00BF, 0x00A1, 0x00DF, 0x20AC, 0,      0,      0,      0,      0x0065, 0x006F, 0x00DF};

// ANSEL 0xE0..0xFE: combining diacritics, written before the letter they belong to.
constexpr char16_t anselCombining[31] = {
    0x0309, 0x0300, 0x0301, 0x0302, 0x0303, 0x0304, 0x0306, 0x0307, 0x0308, 0x030C, 0x030A,
    0xFE20, 0xFE21, 0x0315, 0x030B, 0x0310, 0x0327, 0x0328, 0x0323, 0x0324, 0x0325, 0x0333,
    0x0332, 0x0326, 0x031C, 0x032E, 0xFE22, 0xFE23, 0,      0,      0x0313};

char16_t ansel(unsigned char b)
{
    if (b < 0x80)
        return b;
    char16_t c = 0;
    if (b >= 0xA0 && b <= 0xCF)
        c = anselSpacing[b - 0xA0];
    else if (b >= 0xE0 && b <= 0xFE)
        c = anselCombining[b - 0xE0];
    return c ? c : char16_t(0xFFFD);
}

bool isAnselCombining(unsigned char b)
{
    return b >= 0xE0 && b <= 0xFE && anselCombining[b - 0xE0] != 0;
}

bool isAsciiLetter(unsigned char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// A first line of "0", blanks and letters, each with a zero byte after it (little
// endian) or before it (big endian): the header of a UTF-16 file without a mark.
bool looksLikeUtf16(QByteArrayView b, bool littleEndian)
{
    if (b.size() < 2)
        return false;
    for (qsizetype i = 0; i + 1 < b.size(); i += 2) {
        const auto c = static_cast<unsigned char>(littleEndian ? b[i] : b[i + 1]);
        const char zero = littleEndian ? b[i + 1] : b[i];
        if (zero != 0)
            return false;
        if (c == '\n' || c == '\r')
            return i > 0;
        if (i == 0 ? c != '0' : c != ' ' && !isAsciiLetter(c))
            return false;
    }
    return true;
}

QByteArray utf16ToUtf8(QByteArrayView bytes, bool littleEndian)
{
    QStringDecoder decoder(littleEndian ? QStringConverter::Utf16LE : QStringConverter::Utf16BE,
                           QStringConverter::Flag::Stateless);
    const QString text = decoder(bytes);
    return text.toUtf8();
}

bool hasHighBytes(QByteArrayView bytes)
{
    for (char c : bytes) {
        if (static_cast<unsigned char>(c) > 127)
            return true;
    }
    return false;
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

QString decodeAnsel(QByteArrayView bytes)
{
    QString text;
    text.reserve(bytes.size());
    QString marks;
    for (char byte : bytes) {
        const auto b = static_cast<unsigned char>(byte);
        if (isAnselCombining(b)) {
            marks += QChar(ansel(b));
            continue;
        }
        text += QChar(ansel(b));
        text += marks;
        marks.clear();
    }
    text += marks;  // marks with no letter after them stay, at the end
    return text.normalized(QString::NormalizationForm_C);
}

bool decodeGedcomLine(QByteArrayView bytes, GedcomCharset charset, QString& text)
{
    switch (charset) {
    case GedcomCharset::Utf8:
        if (!bytes.isValidUtf8())
            return false;
        text = QString::fromUtf8(bytes);
        return true;
    case GedcomCharset::Ansel:
        text = decodeAnsel(bytes);
        return true;
    case GedcomCharset::Cp1251:
        break;
    }
    text = decodeCp1251(bytes);
    return true;
}

QString gedcomHeaderCharset(QByteArrayView file)
{
    // Only the start of each line matters here; a huge line is not copied whole.
    constexpr qsizetype enough = 1024;
    qsizetype start = 0;
    bool inHeader = false;
    while (start < file.size()) {
        qsizetype end = file.indexOf('\n', start);
        if (end < 0)
            end = file.size();
        QByteArrayView bytes = file.sliced(start, std::min(end - start, enough));
        start = end + 1;
        if (bytes.endsWith('\r'))
            bytes.chop(1);
        GedcomLine line;
        if (ParseGedcomLine(QString::fromLatin1(bytes), line) != GedcomParse::Ok || line.levelOnly)
            continue;
        if (line.level == 0) {
            if (inHeader)
                return QString();
            inHeader = true;
        }
        if (line.level == 1 && line.tag == QLatin1String("CHAR"))
            return gedcomWord(line.value, 1).toString().toUpper();
    }
    return QString();
}

GedcomBytes prepareGedcomBytes(const QByteArray& file)
{
    GedcomBytes out{file, 0, GedcomCharset::Cp1251};
    const QByteArrayView view(file);
    if (file.startsWith("\xEF\xBB\xBF")) {
        out.start = 3;
        out.charset = GedcomCharset::Utf8;
        return out;
    }
    const bool bomLE = file.startsWith("\xFF\xFE");
    const bool bomBE = file.startsWith("\xFE\xFF");
    if (bomLE || bomBE || looksLikeUtf16(view, true) || looksLikeUtf16(view, false)) {
        const bool littleEndian = bomLE || (!bomBE && looksLikeUtf16(view, true));
        out.bytes = utf16ToUtf8(view.sliced(bomLE || bomBE ? 2 : 0), littleEndian);
        out.charset = GedcomCharset::Utf8;
        return out;
    }
    const QString declared = gedcomHeaderCharset(view);
    if (declared == QLatin1String("UTF-8") || declared == QLatin1String("UTF8"))
        out.charset = GedcomCharset::Utf8;
    else if (declared == QLatin1String("ANSEL"))
        out.charset = GedcomCharset::Ansel;
    else if (declared.isEmpty() && hasHighBytes(view) && view.isValidUtf8())
        out.charset = GedcomCharset::Utf8;
    return out;
}
