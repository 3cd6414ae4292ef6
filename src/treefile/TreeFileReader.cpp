// Opening: everything is read into a fresh store and checked before anyone
// sees it; the first thing wrong refuses the whole file.
#include "treefile/AtomicFile.h"
#include "treefile/RegularFile.h"
#include "treefile/Sqlite.h"
#include "treefile/TreeFile.h"
#include "treefile/TreeFileChecks.h"
#include "treefile/TreeFileMeta.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <atomic>
#include <exception>
#include <thread>
#include <set>
#include <sqlite3.h>

using namespace treefile;

namespace {

constexpr int readingSeconds = 60;  // a crafted file cannot keep the reader busy longer

struct Refusal {
    QString reason;
};

bool looksLikeSqlite(const QByteArray& bytes)
{
    return bytes.startsWith(QByteArray("SQLite format 3\0", 16));
}

int pragmaInteger(SqliteDatabase& db, const char* pragma)
{
    SqliteStatement query(db, QStringLiteral("PRAGMA %1").arg(QLatin1String(pragma)));
    return query.step() ? int(query.columnInteger(0)) : -1;
}

void checkSchema(SqliteDatabase& db)
{
    std::set<QString> known = {QStringLiteral("meta"), QStringLiteral("sqlite_autoindex_meta_1")};
    for (const TreeFileTable& t : treeFileTables())
        known.insert(QLatin1String(t.name));
    SqliteStatement query(db, QStringLiteral("SELECT type, name FROM sqlite_master"));
    while (query.step()) {
        const QString type = query.columnText(0), name = query.columnText(1);
        if ((type != QLatin1String("table") && type != QLatin1String("index")) || !known.count(name))
            throw Refusal{QStringLiteral("в нём есть незнакомая часть «%1»").arg(name)};
    }
    if (query.failed())
        throw Refusal{QStringLiteral("файл повреждён или обрезан")};
}

MetaValues readMeta(SqliteDatabase& db)
{
    MetaValues meta;
    SqliteStatement query(db, QStringLiteral("SELECT key, value FROM meta ORDER BY key"));
    while (query.step())
        meta[query.columnText(0)] = query.columnBytes(1);
    if (query.failed() || !query.isValid())
        throw Refusal{QStringLiteral("это не файл древа")};
    if (meta[QStringLiteral("product")] != productName.toUtf8())
        throw Refusal{QStringLiteral("это не файл древа")};
    return meta;
}

// The columns the file has for a table, in the table's field order; -1 for a field it lacks.
std::vector<int> presentFields(SqliteDatabase& db, const char* name, const RecordTable& table, bool& hasTable)
{
    std::set<QString> columns;
    SqliteStatement info(db, QStringLiteral("PRAGMA table_info(%1)").arg(quoted(QLatin1String(name))));
    while (info.step())
        columns.insert(info.columnText(1));
    hasTable = !columns.empty();
    std::vector<int> fields;
    for (int f : storedFields(table))
        if (columns.erase(table.fields()[std::size_t(f)].name))
            fields.push_back(f);
    columns.erase(positionColumn);
    columns.erase(creationColumn);
    if (!columns.empty())
        throw Refusal{QStringLiteral("в таблице %1 есть незнакомый столбец «%2»").arg(QLatin1String(name), *columns.begin())};
    return fields;
}

// Reads one value into the fresh table, checked against its field.
void readCell(SqliteStatement& row, int column, RecordTable& table, RowId target, int field, ContentHash& hash,
              const char* tableName)
{
    const FieldDef& def = table.fields()[std::size_t(field)];
    const auto type = row.columnType(column);
    if (type == SqliteStatement::Null) {
        hash.addNull();
        return;
    }
    const auto refuse = [&] {
        return Refusal{QStringLiteral("значение поля %1 таблицы %2 не подходит к полю").arg(def.name, QLatin1String(tableName))};
    };
    if (isTextKind(def.kind)) {
        if (type != SqliteStatement::Text)
            throw refuse();
        hash.addText(row.columnUtf8(column));
        table.setLoadedText(target, field, row.columnTextView(column));
        return;
    }
    if (type != SqliteStatement::Integer)
        throw refuse();
    const std::int64_t value = row.columnInteger(column);
    hash.addInteger(value);
    const std::int64_t low = def.kind == FieldKind::Boolean ? 0 : def.kind == FieldKind::SmallInt ? -32768 : INT32_MIN;
    const std::int64_t high = def.kind == FieldKind::Boolean ? 1 : def.kind == FieldKind::SmallInt ? 32767 : INT32_MAX;
    if (value < low || value > high)
        throw refuse();
    if (def.kind == FieldKind::Boolean)
        table.setLoadedBoolean(target, field, value == 1);
    else
        table.setLoadedInteger(target, field, std::int32_t(value));
}

void readTable(SqliteDatabase& db, const TreeFileTable& t, RecordTable& table, const MetaValues& meta, ContentHash& hash)
{
    bool hasTable = false;
    const std::vector<int> fields = presentFields(db, t.name, table, hasTable);
    if (!hasTable)
        throw Refusal{QStringLiteral("в нём нет таблицы %1").arg(QLatin1String(t.name))};
    QStringList columns = {positionColumn, creationColumn};
    for (int f : fields)
        columns << quoted(table.fields()[std::size_t(f)].name);
    SqliteStatement query(db, QStringLiteral("SELECT %1 FROM %2 ORDER BY %3")
                                  .arg(columns.join(','), quoted(QLatin1String(t.name)), positionColumn));
    const auto counter = meta.find(counterKey(t.name));
    bool counterOk = counter != meta.end();
    const std::uint64_t creationCounter = counterOk ? counter->second.toULongLong(&counterOk) : 0;
    std::vector<std::uint64_t> creations;
    SqliteStatement count(db, QStringLiteral("SELECT count(*) FROM %1").arg(quoted(QLatin1String(t.name))));
    if (count.step() && count.columnInteger(0) > 0 && count.columnInteger(0) < std::int64_t(1) << 28) {
        creations.reserve(std::size_t(count.columnInteger(0)));
        table.reserveLoadedRows(std::size_t(count.columnInteger(0)));
    }
    hash.addName(t.name);
    while (query.step()) {
        const std::int64_t position = query.columnInteger(0), creation = query.columnInteger(1);
        hash.addInteger(position);
        hash.addInteger(creation);
        if (position != std::int64_t(creations.size()) || creation < 1 || std::uint64_t(creation) > creationCounter)
            throw Refusal{QStringLiteral("порядок строк таблицы %1 нарушен").arg(QLatin1String(t.name))};
        creations.push_back(std::uint64_t(creation));
        const RowId row = table.appendLoadedRow(std::uint64_t(creation));
        for (std::size_t i = 0; i < fields.size(); ++i)
            readCell(query, int(i) + 2, table, row, fields[i], hash, t.name);
    }
    if (query.failed() || !query.isValid() || !counterOk)
        throw Refusal{QStringLiteral("файл повреждён или обрезан")};
    if (creationCounter > maxCreationCounter)
        throw Refusal{QStringLiteral("счётчик строк таблицы %1 слишком велик").arg(QLatin1String(t.name))};
    std::sort(creations.begin(), creations.end());
    if (std::adjacent_find(creations.begin(), creations.end()) != creations.end())
        throw Refusal{QStringLiteral("порядок строк таблицы %1 нарушен").arg(QLatin1String(t.name))};
    table.finishLoading(creationCounter);
}

void limitReadingTime(SqliteDatabase& db, QElapsedTimer& clock)
{
    sqlite3_progress_handler(db.handle(), 10000, [](void* timer) {
        return static_cast<QElapsedTimer*>(timer)->elapsed() > readingSeconds * 1000 ? 1 : 0;
    }, &clock);
}

// Version 2 sums each table apart, so that two connections over the same
// bytes read the tables on two threads; the sum of the file sums the tables'
// sums in their order. A refusal names the first bad table, whichever thread
// met it.
void readTablesSideBySide(SqliteDatabase& db, QByteArray& bytes, QElapsedTimer& clock, int version, const MetaValues& meta,
                          GenealogyStore& store, ContentHash& hash)
{
    const std::vector<TreeFileTable>& tables = treeFileTables();
    std::vector<QByteArray> sums(tables.size());
    std::vector<std::exception_ptr> failures(tables.size());
    std::atomic<std::size_t> next{0};
    const auto work = [&](SqliteDatabase& connection) {
        for (std::size_t i; (i = next++) < tables.size();) {
            try {
                ContentHash sum(version);
                readTable(connection, tables[i], store.*tables[i].table, meta, sum);
                sums[i] = sum.digest();
            } catch (...) {
                failures[i] = std::current_exception();
            }
        }
    };
    SqliteDatabase second(bytes);
    std::thread helper;
    if (second.isOpen()) {
        limitReadingTime(second, clock);
        helper = std::thread(work, std::ref(second));
    }
    work(db);
    if (helper.joinable())
        helper.join();
    for (std::size_t i = 0; i < tables.size(); ++i) {
        if (failures[i])
            std::rethrow_exception(failures[i]);
        hash.addBytes('D', sums[i]);
    }
}

OpenedTree readTree(SqliteDatabase& db, QByteArray& bytes, QElapsedTimer& clock, QString* computedChecksum = nullptr)
{
    const int version = pragmaInteger(db, "user_version");
    if (version < 0)
        throw Refusal{QStringLiteral("файл повреждён или это не файл древа")};
    if (version > treeFileVersion)
        throw Refusal{QStringLiteral("он записан более новой версией программы (формат %1)").arg(version)};
    if (version == 0)
        throw Refusal{QStringLiteral("это не файл древа")};
    if (const int id = pragmaInteger(db, "application_id"); id != 0 && id != treeFileApplicationId)
        throw Refusal{QStringLiteral("это файл другой программы, а не файл древа")};
    checkSchema(db);
    const MetaValues meta = readMeta(db);
    OpenedTree tree{std::make_unique<GenealogyStore>(), {}};
    ContentHash hash(version);
    if (version >= 2) {
        readTablesSideBySide(db, bytes, clock, version, meta, *tree.store, hash);
    } else {
        for (const TreeFileTable& t : treeFileTables())
            readTable(db, t, (*tree.store).*t.table, meta, hash);
    }
    hash.addMeta(meta);
    if (computedChecksum) {
        *computedChecksum = hash.hex();
        return tree;
    }
    const auto stored = meta.find(checksumKey);
    if (stored == meta.end() || stored->second != hash.hex().toLatin1())
        throw Refusal{QStringLiteral("его содержимое изменено или повреждено (контрольная сумма не совпадает)")};
    if (auto reason = numbersLeaveRoom(*tree.store))
        throw Refusal{*reason};
    if (auto reason = boxPositionsInRange(tree.store->diagram))
        throw Refusal{*reason};
    const std::optional<TreeFileDiagram> diagram = diagramFromMeta(meta);
    if (!diagram)
        throw Refusal{QStringLiteral("настройки диаграммы в нём неверны")};
    tree.diagram = *diagram;
    return tree;
}

template <typename Refused>
std::variant<OpenedTree, QString> openTreeBytes(QByteArray& bytes, const Refused& refused)
{
    if (!looksLikeSqlite(bytes))
        return refused(QStringLiteral("это не файл древа"));
    SqliteDatabase db(bytes);
    if (!db.isOpen())
        return refused(QStringLiteral("файл повреждён или это не файл древа"));
    QElapsedTimer clock;
    clock.start();
    limitReadingTime(db, clock);
    try {
        return readTree(db, bytes, clock);
    } catch (const Refusal& refusal) {
        return refused(refusal.reason);
    }
}

} // namespace

namespace treefile {

std::optional<QString> writtenFileRefusal(const QString& file, const GenealogyStore& store, const QString& checksum)
{
    const auto refused = [](const QString& reason) { return QStringLiteral("записанный файл не открылся бы: %1").arg(reason); };
    SqliteDatabase db(file, SqliteDatabase::ReadOwnFile);
    if (!db.isOpen())
        return refused(QStringLiteral("файл повреждён или это не файл древа"));
    try {
        if (pragmaInteger(db, "user_version") != treeFileVersion || pragmaInteger(db, "application_id") != treeFileApplicationId)
            throw Refusal{QStringLiteral("это не файл древа")};
        checkSchema(db);
        const MetaValues meta = readMeta(db);
        const auto stored = meta.find(checksumKey);
        if (stored == meta.end() || stored->second != checksum.toLatin1())
            throw Refusal{QStringLiteral("его содержимое изменено или повреждено (контрольная сумма не совпадает)")};
        // The last row of each table is where it belongs: found through the tree of pages, not by reading every row.
        for (const TreeFileTable& t : treeFileTables()) {
            SqliteStatement last(db, QStringLiteral("SELECT coalesce(max(%1), -1) FROM %2").arg(positionColumn, quoted(QLatin1String(t.name))));
            if (!last.step() || last.columnInteger(0) != (store.*t.table).recordCount() - 1)
                throw Refusal{QStringLiteral("файл повреждён или обрезан")};
        }
    } catch (const Refusal& refusal) {
        return refused(refusal.reason);
    }
    return std::nullopt;
}

} // namespace treefile

std::variant<OpenedTree, QString> openTreeFile(const QString& path)
{
    const auto refused = [&](const QString& reason) {
        return QStringLiteral("Не удалось открыть файл %1: %2.").arg(fileLabel(path), reason);
    };
    auto bytes = readRegularFile(path, maxTreeFileBytes, QStringLiteral("файл больше 1 ГБ, это не файл древа"));
    if (const QString* reason = std::get_if<QString>(&bytes))
        return refused(*reason);
    removeStaleTemporaries(path);
    return openTreeBytes(std::get<QByteArray>(bytes), refused);
}

std::variant<OpenedTree, QString> openTreeFileBytes(QByteArray bytes)
{
    return openTreeBytes(bytes, [](const QString& reason) { return reason; });
}

QString treeFileContentChecksum(const QString& path)
{
    auto bytes = readRegularFile(path, maxTreeFileBytes, QString());
    if (!std::holds_alternative<QByteArray>(bytes))
        return {};
    SqliteDatabase db(std::get<QByteArray>(bytes));
    QString checksum;
    QElapsedTimer clock;
    clock.start();
    try {
        readTree(db, std::get<QByteArray>(bytes), clock, &checksum);
    } catch (const Refusal&) {
    }
    return checksum;
}
