#include "treefile/FileErrors.h"

#include <cerrno>

namespace {

QString commonReason(int error)
{
    switch (error) {
    case ENOENT:
    case ENOTDIR:
        return QStringLiteral("папка не найдена");
    case EISDIR:
        return QStringLiteral("под этим именем уже есть папка");
    case ENAMETOOLONG:
        return QStringLiteral("имя файла слишком длинное");
    case ELOOP:
        return QStringLiteral("символические ссылки замкнуты в круг");
    case EIO:
        return QStringLiteral("ошибка ввода-вывода на диске");
    case EMFILE:
    case ENFILE:
        return QStringLiteral("открыто слишком много файлов");
    case ENOMEM:
        return QStringLiteral("не хватает памяти");
    default:
        return {};
    }
}

} // namespace

QString writeFailureReason(int error)
{
    switch (error) {
    case ENOSPC:
    case EDQUOT:
        return QStringLiteral("недостаточно места на диске");
    case EFBIG:
        return QStringLiteral("файл слишком велик для этого диска");
    case EACCES:
    case EPERM:
        return QStringLiteral("нет прав на запись");
    case EROFS:
        return QStringLiteral("диск доступен только для чтения");
    default:
        break;
    }
    const QString common = commonReason(error);
    return common.isEmpty() ? QStringLiteral("ошибка записи (код %1)").arg(error) : common;
}

QString readFailureReason(int error)
{
    switch (error) {
    case ENOENT:
        return QStringLiteral("файл не найден");
    case EACCES:
    case EPERM:
        return QStringLiteral("нет прав на чтение");
    default:
        break;
    }
    const QString common = commonReason(error);
    return common.isEmpty() ? QStringLiteral("ошибка чтения (код %1)").arg(error) : common;
}
