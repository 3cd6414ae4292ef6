// Saving: a complete new file beside the target, renamed over it when whole.
#include "treefile/AtomicFile.h"
#include "treefile/FileErrors.h"
#include "treefile/RegularFile.h"
#include "treefile/Sqlite.h"
#include "treefile/TreeFile.h"
#include "treefile/TreeFileMeta.h"

#include <QFileInfo>
#include <cerrno>
#include <sqlite3.h>

using namespace treefile;

namespace {

QString createTableSql(const char* name, const RecordTable& table)
{
    QStringList columns = {positionColumn + QStringLiteral(" INTEGER PRIMARY KEY"),
                           creationColumn + QStringLiteral(" INTEGER NOT NULL")};
    for (int f : storedFields(table)) {
        const FieldDef& def = table.fields()[std::size_t(f)];
        columns << quoted(def.name) + QLatin1Char(' ') + sqlType(def.kind);
    }
    return QStringLiteral("CREATE TABLE %1 (%2)").arg(quoted(QLatin1String(name)), columns.join(QStringLiteral(", ")));
}

// A text as the file gives it back: a lone half of a surrogate pair has no
// UTF-8 form and reads back as U+FFFD.
QString asWritten(const QString& text)
{
    for (QChar c : text)
        if (c.isSurrogate())
            return QString::fromUtf8(text.toUtf8());
    return text;
}

void bindCell(SqliteStatement& insert, int index, const Cell& cell, ContentHash& hash)
{
    if (auto i = std::get_if<std::int32_t>(&cell)) {
        insert.bindInteger(index, *i);
        hash.addInteger(*i);
    } else if (auto b = std::get_if<bool>(&cell)) {
        insert.bindInteger(index, *b ? 1 : 0);
        hash.addInteger(*b ? 1 : 0);
    } else if (auto s = std::get_if<QString>(&cell)) {
        insert.bindText(index, *s);
        hash.addText(asWritten(*s));
    } else {
        insert.bindNull(index);
        hash.addNull();
    }
}

bool writeTable(SqliteDatabase& db, const char* name, const RecordTable& table, ContentHash& hash)
{
    if (!db.execute(createTableSql(name, table)))
        return false;
    const std::vector<int> fields = storedFields(table);
    QStringList marks;
    for (std::size_t i = 0; i < fields.size() + 2; ++i)
        marks << QStringLiteral("?");
    SqliteStatement insert(db, QStringLiteral("INSERT INTO %1 VALUES (%2)").arg(quoted(QLatin1String(name)), marks.join(',')));
    hash.addText(QString::fromLatin1(name));
    for (int p = 0; p < table.recordCount() && insert.isValid(); ++p) {
        const RowId row = table.rowAt(p);
        insert.bindInteger(1, p);
        insert.bindInteger(2, std::int64_t(table.creationNumber(row)));
        hash.addInteger(p);
        hash.addInteger(std::int64_t(table.creationNumber(row)));
        for (std::size_t i = 0; i < fields.size(); ++i)
            bindCell(insert, int(i) + 3, table.cellAt(row, fields[i]), hash);
        insert.step();
        insert.reset();
        if (insert.failed())
            return false;
    }
    return insert.isValid();
}

bool writeMeta(SqliteDatabase& db, const MetaValues& meta)
{
    if (!db.execute(QStringLiteral("CREATE TABLE meta (key TEXT PRIMARY KEY, value BLOB)")))
        return false;
    SqliteStatement insert(db, QStringLiteral("INSERT INTO meta VALUES (?, ?)"));
    for (const auto& [key, value] : meta) {
        insert.bindText(1, key);
        insert.bindBlob(2, value);
        insert.step();
        insert.reset();
    }
    return insert.isValid() && !insert.failed();
}

QString sqliteReason(SqliteDatabase& db)
{
    const int code = db.errorCode() & 0xff;
    if (code == SQLITE_FULL)
        return writeFailureReason(ENOSPC);
    if (const int error = db.isOpen() ? sqlite3_system_errno(db.handle()) : 0; error != 0)
        return writeFailureReason(error);
    if (code == SQLITE_READONLY || code == SQLITE_PERM)
        return writeFailureReason(EACCES);
    return QStringLiteral("ошибка записи (код SQLite %1)").arg(db.errorCode());
}

// Writes the whole tree into a new database file; an error text on failure.
std::optional<QString> writeDatabase(const QString& file, const GenealogyStore& store, const TreeFileDiagram& diagram)
{
    SqliteDatabase db(file, SqliteDatabase::CreateNew);
    // The file is synced and renamed as a whole, so no journal is needed on disk while
    // writing it; OFF would be ignored in defensive mode and leave a -journal behind.
    bool ok = db.execute(QStringLiteral("PRAGMA journal_mode = MEMORY")) && db.execute(QStringLiteral("PRAGMA synchronous = OFF"))
              && db.execute(QStringLiteral("BEGIN"));
    ContentHash hash;
    MetaValues meta = diagramMeta(diagram);
    meta[QStringLiteral("product")] = productName.toUtf8();
    for (const TreeFileTable& t : treeFileTables()) {
        const RecordTable& table = store.*t.table;
        meta[counterKey(t.name)] = QByteArray::number(qulonglong(table.creationCounter()));
        ok = ok && writeTable(db, t.name, table, hash);
    }
    hash.addMeta(meta);
    meta[checksumKey] = hash.hex().toLatin1();
    ok = ok && writeMeta(db, meta) && db.execute(QStringLiteral("PRAGMA user_version = %1").arg(treeFileVersion))
         && db.execute(QStringLiteral("PRAGMA application_id = %1").arg(treeFileApplicationId))
         && db.execute(QStringLiteral("COMMIT"));
    if (!ok)
        return sqliteReason(db);
    return std::nullopt;
}

// The file is read back as opening will read it: a file that would be refused never takes the target's place.
std::optional<QString> checkReadsBack(const QString& file)
{
    auto bytes = readRegularFile(file, maxTreeFileBytes, QStringLiteral("файл вышел больше 1 ГБ"));
    if (const QString* reason = std::get_if<QString>(&bytes))
        return *reason;
    auto opened = openTreeFileBytes(std::move(std::get<QByteArray>(bytes)));
    if (const QString* reason = std::get_if<QString>(&opened))
        return QStringLiteral("записанный файл не открылся бы: %1").arg(*reason);
    return std::nullopt;
}

} // namespace

std::optional<QString> saveTreeFile(const GenealogyStore& store, const TreeFileDiagram& diagram, const QString& path)
{
    return saveAtomically(path, [&](const QString& temporary) {
        std::optional<QString> error = writeDatabase(temporary, store, diagram);
        return error ? error : checkReadsBack(temporary);
    });
}
