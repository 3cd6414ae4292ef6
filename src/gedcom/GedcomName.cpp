#include "gedcom/GedcomName.h"

#include <QStringList>

namespace {

QString withoutSlashes(const QString& text)
{
    return QString(text).remove(QLatin1Char('/')).simplified();
}

// Runs of blanks become one, without a copy when there are none.
QString oneBlankApart(QStringView text)
{
    text = text.trimmed();
    if (!text.contains(QLatin1String("  ")) && !text.contains(QLatin1Char('\t')))
        return text.toString();
    return text.toString().simplified();
}

void splitGiven(QStringView given, NameParts& parts)
{
    const qsizetype blank = given.indexOf(QLatin1Char(' '));
    parts.name = (blank < 0 ? given : given.left(blank)).toString();
    parts.surname = blank < 0 ? QString() : given.mid(blank + 1).toString();
}

} // namespace

GedcomNameRead readGedcomName(const GedcomNameLines& lines)
{
    GedcomNameRead read;
    const QStringView value = QStringView(lines.value).trimmed();
    const qsizetype open = value.indexOf(QLatin1Char('/'));
    const qsizetype close = open < 0 ? -1 : value.indexOf(QLatin1Char('/'), open + 1);
    if (close >= 0) {
        read.parts.fam = value.mid(open + 1, close - open - 1).trimmed().toString();
        const QString before = oneBlankApart(value.left(open));
        const QString after = oneBlankApart(value.mid(close + 1));
        splitGiven(before.isEmpty() ? QStringView(after) : QStringView(before), read.parts);
        if (!before.isEmpty())
            read.suffix = after;
    } else {
        const QStringList words = value.toString().split(QLatin1Char(' '), Qt::SkipEmptyParts);
        read.parts.fam = lines.surn.isEmpty() ? words.value(2) : lines.surn.trimmed();
        if (lines.givn.isEmpty()) {
            read.parts.name = words.value(0);
            read.parts.surname = words.value(1);
        } else {
            const QString given = lines.givn.simplified();
            splitGiven(given, read.parts);
        }
        read.lossy = words.size() > 3 && lines.givn.isEmpty() && lines.surn.isEmpty();
    }
    if (read.suffix.isEmpty())
        read.suffix = lines.nsfx.simplified();
    if (lines.given)
        read.parts.name = *lines.given;
    if (lines.patronymic)
        read.parts.surname = *lines.patronymic;
    if (lines.family)
        read.parts.fam = *lines.family;
    if (lines.hasExactFields())
        return read;
    const NameParts& p = read.parts;
    const bool tooLong = p.fam.size() > personNameFieldSize || p.name.size() > personNameFieldSize
                         || p.surname.size() > personNameFieldSize;
    read.lossy = read.lossy || tooLong || !read.suffix.isEmpty() || !lines.npfx.trimmed().isEmpty()
                 || !lines.nick.trimmed().isEmpty();
    return read;
}

QString gedcomNameText(const GedcomNameLines& lines, const GedcomNameRead& read)
{
    if (lines.text)
        return *lines.text;
    NameParts parts = read.parts;
    if (!read.suffix.isEmpty())
        parts.surname = (parts.surname + QLatin1Char(' ') + read.suffix).trimmed();
    return joinName(parts);
}

QString gedcomWholeName(const GedcomNameLines& lines)
{
    QString whole = lines.value.simplified();
    const QString prefix = lines.npfx.simplified();
    if (!prefix.isEmpty() && !whole.contains(prefix))
        whole = prefix + QLatin1Char(' ') + whole;
    const QString suffix = lines.nsfx.simplified();
    if (!suffix.isEmpty() && !whole.contains(suffix))
        whole += QLatin1Char(' ') + suffix;
    const QString nick = lines.nick.simplified();
    if (!nick.isEmpty() && !whole.contains(nick))
        whole += QStringLiteral(" \"%1\"").arg(nick);
    return whole;
}

GedcomNameLines gedcomNameOf(const NameParts& stored)
{
    const NameParts parts = withFamilyNameInPlace(stored);
    GedcomNameLines lines;
    lines.givn = withoutSlashes(parts.name + QLatin1Char(' ') + parts.surname);
    lines.surn = withoutSlashes(parts.fam);
    lines.value = lines.givn;
    // Slashes, even around nothing, keep a third given word from being read as the family name.
    if (!lines.surn.isEmpty() || lines.givn.count(QLatin1Char(' ')) >= 2)
        lines.value += (lines.value.isEmpty() ? QStringLiteral("/") : QStringLiteral(" /")) + lines.surn + QLatin1Char('/');
    return lines;
}
