#include "genealogy/NameParts.h"

#include <QStringList>

NameParts splitName(const QString& whole)
{
    const QStringList exact = whole.split(QLatin1Char(' '));
    if (exact.size() == 3)
        return {exact[0], exact[1], exact[2]};
    const QStringList words = whole.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    NameParts parts;
    if (words.size() > 0)
        parts.fam = words[0];
    if (words.size() > 1)
        parts.name = words[1];
    if (words.size() > 2)
        parts.surname = words.mid(2).join(QLatin1Char(' '));
    return parts;
}

QString joinName(const NameParts& parts)
{
    const QChar blank = QLatin1Char(' ');
    return parts.fam + blank + parts.name + blank + parts.surname;
}

NameParts withFamilyNameInPlace(NameParts parts)
{
    const auto isSlashed = [](const QString& part) {
        const QString t = part.trimmed();
        return t.size() > 2 && t.startsWith(QLatin1Char('/')) && t.endsWith(QLatin1Char('/'));
    };
    if (!parts.fam.trimmed().isEmpty())
        return parts;
    if (isSlashed(parts.surname))
        std::swap(parts.fam, parts.surname);
    else if (isSlashed(parts.name))
        std::swap(parts.fam, parts.name);
    return parts;
}
