#include "gedcom/GedcomSummary.h"

#include <QStringList>
#include <algorithm>

namespace {

// The most frequent tags first; ties in the order of their names.
QString unreadTags(const QMap<QString, int>& unread)
{
    std::vector<std::pair<QString, int>> tags(unread.keyValueBegin(), unread.keyValueEnd());
    std::stable_sort(tags.begin(), tags.end(), [](const auto& a, const auto& b) { return a.second > b.second; });
    QStringList parts;
    for (const auto& [tag, count] : tags)
        parts << QStringLiteral("%1 %2").arg(tag).arg(count);
    return parts.join(QStringLiteral(", "));
}

} // namespace

QString gedcomSummaryText(const GedcomSummary& s, const QString& fileName)
{
    QStringList lines;
    lines << QStringLiteral("Импорт из файла «%1»: персонажей %2, связей %3, событий %4, имён %5, комментариев %6, "
                            "медиафайлов %7.")
                 .arg(fileName)
                 .arg(s.persons)
                 .arg(s.links)
                 .arg(s.events)
                 .arg(s.names)
                 .arg(s.comments)
                 .arg(s.media);
    if (!s.unread.isEmpty())
        lines << QStringLiteral("Не прочитаны строки (с подчинёнными): %1.").arg(unreadTags(s.unread));
    if (s.danglingPointers)
        lines << QStringLiteral("Ссылок на записи, которых нет в файле: %1.").arg(s.danglingPointers);
    if (s.repeatedXrefs)
        lines << QStringLiteral("Повторённых идентификаторов записей: %1.").arg(s.repeatedXrefs);
    if (s.cutValues)
        lines << QStringLiteral("Значений, обрезанных по длине поля: %1.").arg(s.cutValues);
    return lines.join(QLatin1Char('\n'));
}
