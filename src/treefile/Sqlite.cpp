#include "treefile/Sqlite.h"

#include <QStringDecoder>

#include <sqlite3.h>

SqliteDatabase::SqliteDatabase(const QString& path, Mode mode)
{
    // No SQLITE_OPEN_URI: '#', '?' and '%' in a path are letters of a file name.
    const int flags = (mode == ReadOwnFile ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE)
                      | SQLITE_OPEN_NOMUTEX;
    openError_ = sqlite3_open_v2(path.toUtf8().constData(), &db_, flags, nullptr);
    if (openError_ != SQLITE_OK) {
        sqlite3_close(db_);
        db_ = nullptr;
        return;
    }
    secure();
}

SqliteDatabase::SqliteDatabase(QByteArray& fileBytes)
{
    // A file written in WAL mode reads as a plain one: its pages are whole in
    // the file once it was closed cleanly, and a stray -wal is not ours to read.
    constexpr int writeVersion = 18, readVersion = 19;
    if (fileBytes.size() > readVersion && (fileBytes[writeVersion] == 2 || fileBytes[readVersion] == 2)) {
        fileBytes[writeVersion] = 1;
        fileBytes[readVersion] = 1;
    }
    openError_ = sqlite3_open_v2(":memory:", &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
    if (openError_ == SQLITE_OK)
        openError_ = sqlite3_deserialize(db_, "main", reinterpret_cast<unsigned char*>(fileBytes.data()), fileBytes.size(),
                                         fileBytes.size(), SQLITE_DESERIALIZE_READONLY);
    if (openError_ != SQLITE_OK) {
        sqlite3_close(db_);
        db_ = nullptr;
        return;
    }
    secure();
    // Pages are read where they lie instead of being copied into the cache.
    execute(QStringLiteral("PRAGMA mmap_size = %1").arg(fileBytes.size()));
}

void SqliteDatabase::secure()
{
    // A file from elsewhere must not run its own SQL through its schema.
    sqlite3_db_config(db_, SQLITE_DBCONFIG_TRUSTED_SCHEMA, 0, nullptr);
    sqlite3_db_config(db_, SQLITE_DBCONFIG_DEFENSIVE, 1, nullptr);
}

SqliteDatabase::~SqliteDatabase()
{
    sqlite3_close(db_);
}

bool SqliteDatabase::execute(const QString& sql)
{
    return db_ && sqlite3_exec(db_, sql.toUtf8().constData(), nullptr, nullptr, nullptr) == SQLITE_OK;
}

int SqliteDatabase::errorCode() const
{
    return db_ ? sqlite3_errcode(db_) : openError_;
}

QString SqliteDatabase::errorText() const
{
    return QString::fromUtf8(db_ ? sqlite3_errmsg(db_) : sqlite3_errstr(openError_));
}

SqliteStatement::SqliteStatement(SqliteDatabase& db, const QString& sql)
{
    if (!db.isOpen() || sqlite3_prepare_v2(db.handle(), sql.toUtf8().constData(), -1, &stmt_, nullptr) != SQLITE_OK) {
        stmt_ = nullptr;
        failed_ = true;
    }
}

SqliteStatement::~SqliteStatement()
{
    sqlite3_finalize(stmt_);
}

void SqliteStatement::bindNull(int index)
{
    sqlite3_bind_null(stmt_, index);
}

void SqliteStatement::bindInteger(int index, std::int64_t value)
{
    sqlite3_bind_int64(stmt_, index, value);
}

void SqliteStatement::bindText(int index, const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    sqlite3_bind_text(stmt_, index, bytes.constData(), int(bytes.size()), SQLITE_TRANSIENT);
}

void SqliteStatement::bindUtf8(int index, QByteArrayView utf8)
{
    sqlite3_bind_text(stmt_, index, utf8.data(), int(utf8.size()), SQLITE_STATIC);
}

void SqliteStatement::bindBlob(int index, const QByteArray& bytes)
{
    sqlite3_bind_blob(stmt_, index, bytes.constData(), int(bytes.size()), SQLITE_TRANSIENT);
}

bool SqliteStatement::step()
{
    if (!stmt_)
        return false;
    const int result = sqlite3_step(stmt_);
    if (result == SQLITE_ROW)
        return true;
    failed_ = failed_ || result != SQLITE_DONE;
    return false;
}

void SqliteStatement::reset()
{
    sqlite3_reset(stmt_);
    sqlite3_clear_bindings(stmt_);
}

SqliteStatement::Type SqliteStatement::columnType(int column) const
{
    return Type(sqlite3_column_type(stmt_, column));
}

std::int64_t SqliteStatement::columnInteger(int column) const
{
    return sqlite3_column_int64(stmt_, column);
}

QString SqliteStatement::columnText(int column) const
{
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, column));
    return QString::fromUtf8(text, sqlite3_column_bytes(stmt_, column));
}

QByteArrayView SqliteStatement::columnUtf8(int column) const
{
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, column));
    return QByteArrayView(text, sqlite3_column_bytes(stmt_, column));
}

QStringView SqliteStatement::columnTextView(int column)
{
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, column));
    const qsizetype size = sqlite3_column_bytes(stmt_, column);
    // As QString::fromUtf8 reads it: a leading byte order mark is a character.
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    if (textBuffer_.size() < std::size_t(size) + 1)
        textBuffer_.resize(std::size_t(size) + 1);
    QChar* begin = reinterpret_cast<QChar*>(textBuffer_.data());
    const QChar* end = decoder.appendToBuffer(begin, QByteArrayView(text, size));
    return QStringView(begin, end - begin);
}

QByteArray SqliteStatement::columnBytes(int column) const
{
    const void* data = sqlite3_column_blob(stmt_, column);
    return QByteArray(static_cast<const char*>(data), sqlite3_column_bytes(stmt_, column));
}
