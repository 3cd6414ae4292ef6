#include "autotree/TreeMessages.h"

#include <QLocale>

namespace {

QString grouped(std::int64_t n)
{
    return QLocale(QLocale::Russian, QLocale::Russia).toString(qlonglong(n));
}

} // namespace

QString noRecordsMessage()
{
    return QStringLiteral("Нет записей в базе данных");
}

QString tooManyVisitsMessage(std::int64_t limit)
{
    return QStringLiteral("Слишком много: построение обошло бы персонажей и связи более %1 раз.").arg(grouped(limit));
}

QString tooManyGenerationsMessage(std::int64_t generations)
{
    return QStringLiteral("Слишком много поколений (%1): координаты диаграммы не уместятся в 32 бита.")
        .arg(grouped(generations));
}

QString tooWideMessage(std::int64_t widthInPixels)
{
    return QStringLiteral("Слишком широкое древо (%1 пикселей): координаты диаграммы не уместятся в 32 бита.")
        .arg(grouped(widthInPixels));
}

QString cycleMessage(const QList<QPair<int, QString>>& persons)
{
    QString text = QStringLiteral("Персонаж оказался собственным предком; эти линии прерваны на персонажах:");
    for (const auto& [num, name] : persons) {
        text += QStringLiteral("\n%1").arg(num);
        if (!name.trimmed().isEmpty())
            text += QLatin1Char(' ') + name;
    }
    return text;
}
