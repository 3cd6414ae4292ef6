#include "gedcom/GedcomFileRead.h"

#include "treefile/RegularFile.h"

#include <QFileInfo>

std::variant<QByteArray, QString> readGedcomFile(const QString& path, qint64 limit)
{
    const QString name = QFileInfo(path).fileName();
    const QString tooLarge =
        QStringLiteral("Файл %1 слишком велик: импорт читает файлы не больше %2 МБ").arg(name).arg(limit >> 20);
    auto read = readRegularFile(path, limit, tooLarge);
    if (const QString* why = std::get_if<QString>(&read); why && *why != tooLarge)
        return QStringLiteral("Не удалось открыть файл %1: %2").arg(name, *why);
    return read;
}
