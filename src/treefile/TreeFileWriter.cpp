// Saving: a complete new file beside the target, renamed over it when whole.
#include "treefile/AtomicFile.h"
#include "treefile/FileErrors.h"
#include "treefile/RegularFile.h"
#include "treefile/Sqlite.h"
#include "treefile/TreeFile.h"
#include "treefile/TreeFileChecks.h"
#include "treefile/TreeFileMeta.h"

#include <QFileInfo>
#include <algorithm>
#include <QStringEncoder>
#include <exception>
#include <thread>
#include <variant>
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

// Binds rows' stored fields, summing each value as the file will hold it.
// Texts are encoded into reused buffers: no allocation per row.
class RowBinder {
public:
    // Without a hash the rows are only bound; without a statement only summed.
    RowBinder(const RecordTable& table, ContentHash* hash, int parameters)
        : table_(table), hash_(hash), fields_(storedFields(table)), texts_(std::size_t(parameters) + 1)
    {
    }

    int columns() const { return int(fields_.size()) + 2; }

    // The row at position p, from parameter first + 1 on.
    void bind(SqliteStatement* insert, int first, int p)
    {
        const RowId row = table_.rowAt(p);
        bindInteger(insert, first + 1, p);
        bindInteger(insert, first + 2, std::int64_t(table_.creationNumber(row)));
        for (std::size_t i = 0; i < fields_.size(); ++i) {
            const int index = first + int(i) + 3, field = fields_[i];
            const FieldKind kind = table_.fields()[std::size_t(field)].kind;
            if (table_.isNullAt(row, field)) {
                if (insert)
                    insert->bindNull(index);
                if (hash_)
                    hash_->addNull();
            } else if (isTextKind(kind)) {
                bindText(insert, index, *table_.textAt(row, field));
            } else {
                const int value = kind == FieldKind::Boolean ? (table_.booleanAt(row, field) ? 1 : 0) : table_.integerAt(row, field);
                bindInteger(insert, index, value);
            }
        }
    }

private:
    void bindInteger(SqliteStatement* insert, int index, std::int64_t value)
    {
        if (insert)
            insert->bindInteger(index, value);
        if (hash_)
            hash_->addInteger(value);
    }

    void bindText(SqliteStatement* insert, int index, const QString& text)
    {
        // Each text parameter has its own buffer: SQLite reads them all at the step.
        QByteArray& bytes = texts_[std::size_t(index)];
        const qsizetype room = text.size() * 3;
        if (bytes.size() < room)
            bytes.resize(room);
        const char* end;
        if (std::any_of(text.begin(), text.end(), [](QChar c) { return c.isSurrogate(); })) {
            // A lone half of a pair is written as U+FFFD, as QString writes it.
            bytes = text.toUtf8();
            end = bytes.constData() + bytes.size();
        } else {
            QStringEncoder encoder(QStringEncoder::Utf8, QStringEncoder::Flag::Stateless);
            end = encoder.appendToBuffer(bytes.data(), text);
        }
        const QByteArrayView utf8(bytes.constData(), end - bytes.constData());
        if (insert)
            insert->bindUtf8(index, utf8);
        if (hash_)
            hash_->addText(utf8);
    }

    const RecordTable& table_;
    ContentHash* hash_;
    std::vector<int> fields_;
    std::vector<QByteArray> texts_;  // by parameter
};

QString insertSql(const char* name, int columns, int rows)
{
    QString row = QStringLiteral("(?");
    for (int c = 1; c < columns; ++c)
        row += QStringLiteral(",?");
    row += QLatin1Char(')');
    QStringList values;
    for (int r = 0; r < rows; ++r)
        values << row;
    return QStringLiteral("INSERT INTO %1 VALUES %2").arg(quoted(QLatin1String(name)), values.join(QLatin1Char(',')));
}

// The sum of one table's name and rows, as the file holds them.
QByteArray tableDigest(const char* name, const RecordTable& table)
{
    ContentHash sum(treeFileVersion);
    sum.addName(name);
    RowBinder binder(table, &sum, int(storedFields(table).size()) + 2);
    for (int p = 0; p < table.recordCount(); ++p)
        binder.bind(nullptr, 0, p);
    return sum.digest();
}

// Rows go in statements of many rows each: the cost of a statement's run is
// shared, and what is left is SQLite's own work on its tree.
bool writeTable(SqliteDatabase& db, const char* name, const RecordTable& table)
{
    constexpr int rowsPerInsert = 64;
    if (!db.execute(createTableSql(name, table)))
        return false;
    const int columns = int(storedFields(table).size()) + 2;
    RowBinder binder(table, nullptr, columns * rowsPerInsert);
    const int count = table.recordCount();
    int p = 0;
    if (count >= rowsPerInsert) {
        SqliteStatement many(db, insertSql(name, columns, rowsPerInsert));
        for (; p + rowsPerInsert <= count && many.isValid(); p += rowsPerInsert) {
            for (int r = 0; r < rowsPerInsert; ++r)
                binder.bind(&many, r * columns, p + r);
            many.step();
            many.reset();
            if (many.failed())
                return false;
        }
        if (!many.isValid())
            return false;
    }
    SqliteStatement one(db, insertSql(name, columns, 1));
    for (; p < count && one.isValid(); ++p) {
        binder.bind(&one, 0, p);
        one.step();
        one.reset();
        if (one.failed())
            return false;
    }
    return one.isValid();
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

// Writes the whole tree into a new database file; its checksum, or an error text.
std::variant<QString, std::optional<QString>> writeDatabase(const QString& file, const GenealogyStore& store,
                                                            const TreeFileDiagram& diagram)
{
    SqliteDatabase db(file, SqliteDatabase::CreateNew);
    // The file is synced and renamed as a whole, so no journal is needed on disk while
    // writing it; OFF would be ignored in defensive mode and leave a -journal behind.
    bool ok = db.execute(QStringLiteral("PRAGMA journal_mode = MEMORY")) && db.execute(QStringLiteral("PRAGMA synchronous = OFF"))
              && db.execute(QStringLiteral("BEGIN"));
    // The tables are summed on a second core while SQLite writes them; both only read the store.
    std::vector<QByteArray> digests;
    std::exception_ptr summingFailed;
    std::thread summing([&] {
        try {
            for (const TreeFileTable& t : treeFileTables())
                digests.push_back(tableDigest(t.name, store.*t.table));
        } catch (...) {
            summingFailed = std::current_exception();
        }
    });
    MetaValues meta = diagramMeta(diagram);
    meta[QStringLiteral("product")] = productName.toUtf8();
    for (const TreeFileTable& t : treeFileTables()) {
        const RecordTable& table = store.*t.table;
        meta[counterKey(t.name)] = QByteArray::number(qulonglong(table.creationCounter()));
        ok = ok && writeTable(db, t.name, table);
    }
    summing.join();
    if (summingFailed)
        std::rethrow_exception(summingFailed);
    ContentHash hash(treeFileVersion);
    for (const QByteArray& digest : digests)
        hash.addBytes('D', digest);
    hash.addMeta(meta);
    const QString checksum = hash.hex();
    meta[checksumKey] = checksum.toLatin1();
    ok = ok && writeMeta(db, meta) && db.execute(QStringLiteral("PRAGMA user_version = %1").arg(treeFileVersion))
         && db.execute(QStringLiteral("PRAGMA application_id = %1").arg(treeFileApplicationId))
         && db.execute(QStringLiteral("COMMIT"));
    if (!ok)
        return std::optional<QString>(sqliteReason(db));
    return checksum;
}

// What opening would refuse in the tree itself is refused before writing.
std::optional<QString> wouldNotOpen(const GenealogyStore& store, const TreeFileDiagram& diagram)
{
    std::optional<QString> reason = contentRefusal(store);
    if (!reason && !diagramFromMeta(diagramMeta(diagram)))
        reason = QStringLiteral("настройки диаграммы в нём неверны");
    if (reason)
        return QStringLiteral("записанный файл не открылся бы: %1").arg(*reason);
    return std::nullopt;
}

} // namespace

std::optional<QString> saveTreeFile(const GenealogyStore& store, const TreeFileDiagram& diagram, const QString& path)
{
    if (auto refusal = wouldNotOpen(store, diagram))
        return QStringLiteral("Не удалось сохранить файл %1: %2.").arg(fileLabel(path), *refusal);
    return saveAtomically(path, [&](const QString& temporary) -> std::optional<QString> {
        auto written = writeDatabase(temporary, store, diagram);
        if (auto* error = std::get_if<std::optional<QString>>(&written))
            return *error;
        return writtenFileRefusal(temporary, store, std::get<QString>(written));
    });
}
