#include "gedcom/GedcomWriter.h"

#include <charconv>

namespace {

constexpr int terminatorBytes = 2;

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ');
}

// Code units and written bytes of the character at i.
struct Step {
    int units;
    int bytes;
};

Step stepAt(QStringView s, qsizetype i)
{
    const char16_t c = s[i].unicode();
    if (c == u'@')
        return {1, 2};
    if (c < 0x80)
        return {1, 1};
    if (c < 0x800)
        return {1, 2};
    if (QChar::isHighSurrogate(c) && i + 1 < s.size() && s[i + 1].isLowSurrogate())
        return {2, 4};
    return {1, 3};
}

// How many code units of s fit into budget bytes; never fewer than one character.
qsizetype fitting(QStringView s, int budget)
{
    qsizetype i = 0;
    int bytes = 0;
    while (i < s.size()) {
        const Step step = stepAt(s, i);
        if (i > 0 && bytes + step.bytes > budget)
            break;
        bytes += step.bytes;
        i += step.units;
    }
    return i;
}

// A cut before end that has no blank on either side, in the later half; else end.
qsizetype cutAwayFromBlanks(QStringView s, qsizetype end)
{
    if (end >= s.size())
        return end;
    for (qsizetype j = end; j > end / 2; --j) {
        const bool insidePair = s[j].isLowSurrogate() && s[j - 1].isHighSurrogate();
        if (!insidePair && !isBlank(s[j - 1]) && !isBlank(s[j]))
            return j;
    }
    return end;
}

// The part of a line before its value, gathered on the stack and appended
// at once: lines are many, and each small append costs a call and a check.
class LineStart {
public:
    LineStart& number(int n)
    {
        size_ = int(std::to_chars(buffer_ + size_, buffer_ + sizeof buffer_, n).ptr - buffer_);
        return *this;
    }
    LineStart& chars(const char* text)
    {
        while (*text && size_ < int(sizeof buffer_))
            buffer_[size_++] = *text++;
        return *this;
    }
    LineStart& xref(char kind, int n)
    {
        const char start[] = {'@', kind, '\0'};
        return chars(start).number(n).chars("@");
    }
    void appendTo(QByteArray& out) const { out.append(buffer_, size_); }

private:
    char buffer_[80];  // a level, a pointer of two numbers and a tag of at most 31 characters fit
    int size_ = 0;
};

int headBytes(int level, const char* tag)
{
    char digits[12];
    const auto end = std::to_chars(digits, digits + sizeof digits, level).ptr;
    return int(end - digits) + 1 + int(qstrlen(tag));
}

bool needsReplacing(QStringView text, qsizetype i)
{
    const char16_t c = text[i].unicode();
    if (c < 0x20 || (c >= 0x7F && c < 0xA0) || c == QChar::LineSeparator || c == QChar::ParagraphSeparator)
        return true;
    if (QChar::isHighSurrogate(c))
        return i + 1 >= text.size() || !text[i + 1].isLowSurrogate();
    return QChar::isLowSurrogate(c) && (i == 0 || !text[i - 1].isHighSurrogate());
}

// UTF-8 of the piece with every "@" doubled, straight onto the output; with
// escapes, "@#…@" is a calendar escape and stays single.
void appendEscaped(QByteArray& out, QStringView piece, bool escapes)
{
    const qsizetype start = out.size();
    out.resize(start + 3 * piece.size());  // the most a UTF-16 unit can take here
    char* p = out.data() + start;
    qsizetype escapeEnd = -1;
    for (qsizetype i = 0; i < piece.size(); ++i) {
        if (escapes && piece[i] == QLatin1Char('@') && i + 1 < piece.size() && piece[i + 1] == QLatin1Char('#'))
            escapeEnd = piece.indexOf(QLatin1Char('@'), i + 1);
        if (i <= escapeEnd && piece[i] == QLatin1Char('@')) {
            *p++ = '@';
            continue;
        }
        char32_t c = piece[i].unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < piece.size() && piece[i + 1].isLowSurrogate())
            c = QChar::surrogateToUcs4(char16_t(c), piece[++i].unicode());
        if (c == U'@') {
            *p++ = '@';
            *p++ = '@';
        } else if (c < 0x80) {
            *p++ = char(c);
        } else if (c < 0x800) {
            *p++ = char(0xC0 | (c >> 6));
            *p++ = char(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            *p++ = char(0xE0 | (c >> 12));
            *p++ = char(0x80 | ((c >> 6) & 0x3F));
            *p++ = char(0x80 | (c & 0x3F));
        } else {
            *p++ = char(0xF0 | (c >> 18));
            *p++ = char(0x80 | ((c >> 12) & 0x3F));
            *p++ = char(0x80 | ((c >> 6) & 0x3F));
            *p++ = char(0x80 | (c & 0x3F));
        }
    }
    out.truncate(p - out.constData());
}

} // namespace

QString gedcomSingleLine(const QString& text)
{
    QString out = text;  // shared, not copied, unless something is replaced
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (!needsReplacing(text, i))
            continue;
        const QChar c = text[i];
        out[i] = c.isSurrogate() ? QChar(QChar::ReplacementCharacter) : QChar(QLatin1Char(' '));
    }
    return out;
}

void GedcomWriter::record(char kind, int number, const char* tag)
{
    LineStart().chars("0 ").xref(kind, number).chars(" ").chars(tag).chars("\r\n").appendTo(out_);
}

void GedcomWriter::pointer(int level, const char* tag, char kind, int number)
{
    LineStart().number(level).chars(" ").chars(tag).chars(" ").xref(kind, number).chars("\r\n").appendTo(out_);
}

void GedcomWriter::tag(int level, const char* tag)
{
    put(level, tag, {}, false);
}

void GedcomWriter::single(int level, const char* tag, const QString& value)
{
    this->value(level, tag, gedcomSingleLine(value), level + 1);
}

void GedcomWriter::date(int level, const QString& value)
{
    this->value(level, "DATE", gedcomSingleLine(value), level + 1, true);
}

void GedcomWriter::text(int level, const char* tag, const QString& value)
{
    QString lines = value;
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    const QStringList parts = lines.split(QLatin1Char('\n'));
    this->value(level, tag, gedcomSingleLine(parts.first()), level + 1);
    for (qsizetype i = 1; i < parts.size(); ++i)
        this->value(level + 1, "CONT", gedcomSingleLine(parts[i]), level + 1);
}

void GedcomWriter::value(int level, const char* tag, QStringView value, int concLevel, bool escapes)
{
    const char* lineTag = tag;
    int lineLevel = level;
    do {
        const int budget = maxLineBytes - terminatorBytes - headBytes(lineLevel, lineTag) - 1;
        const qsizetype cut = cutAwayFromBlanks(value, fitting(value, budget));
        put(lineLevel, lineTag, value.left(cut), escapes);
        value = value.mid(cut);
        lineTag = "CONC";
        lineLevel = concLevel;
    } while (!value.isEmpty());
}

void GedcomWriter::put(int level, const char* tag, QStringView piece, bool escapes)
{
    LineStart start;
    start.number(level).chars(" ").chars(tag);
    if (!piece.isEmpty())
        start.chars(" ");
    start.appendTo(out_);
    appendEscaped(out_, piece, escapes);
    out_.append("\r\n", terminatorBytes);
}
