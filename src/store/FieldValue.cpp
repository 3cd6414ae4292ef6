#include "store/FieldValue.h"

bool isCalculated(FieldKind kind)
{
    return kind == FieldKind::CalcString || kind == FieldKind::CalcBoolean;
}

bool isTextKind(FieldKind kind)
{
    return kind == FieldKind::String || kind == FieldKind::Memo || kind == FieldKind::CalcString;
}

static std::int32_t toInteger(const Cell& c, bool* ok)
{
    *ok = true;
    if (auto i = std::get_if<std::int32_t>(&c))
        return *i;
    if (auto b = std::get_if<bool>(&c))
        return *b ? 1 : 0;
    if (auto s = std::get_if<QString>(&c))
        return s->trimmed().toInt(ok);
    *ok = false;
    return 0;
}

static QString toText(const Cell& c)
{
    if (auto i = std::get_if<std::int32_t>(&c))
        return QString::number(*i);
    if (auto b = std::get_if<bool>(&c))
        return *b ? QStringLiteral("True") : QStringLiteral("False");
    if (auto s = std::get_if<QString>(&c))
        return *s;
    return QString();
}

Cell FieldValue::convertedFor(FieldKind kind, int size) const
{
    if (isEmpty() || isCalculated(kind))
        return std::monostate{};
    bool ok = true;
    switch (kind) {
    case FieldKind::Integer: {
        const std::int32_t v = toInteger(cell_, &ok);
        return ok ? Cell(v) : Cell(std::monostate{});
    }
    case FieldKind::SmallInt: {
        const std::int32_t v = toInteger(cell_, &ok);
        return ok ? Cell(std::int32_t(std::int16_t(v))) : Cell(std::monostate{});
    }
    case FieldKind::Boolean:
        if (auto s = std::get_if<QString>(&cell_))
            return Cell(s->compare(QStringLiteral("true"), Qt::CaseInsensitive) == 0);
        return Cell(toInteger(cell_, &ok) != 0);
    case FieldKind::String: {
        QString text = toText(cell_);
        text.truncate(cutToFieldSize(text, size).size());
        return Cell(text);
    }
    case FieldKind::Memo:
        return Cell(toText(cell_));
    default:
        return std::monostate{};
    }
}

QStringView cutToFieldSize(QStringView text, int size)
{
    if (size <= 0 || text.size() <= size)
        return text;
    return text.first(text.at(size - 1).isHighSurrogate() && text.at(size).isLowSurrogate() ? size - 1 : size);
}

int FieldDef::widthInChars() const
{
    if (displayWidth > 0)
        return displayWidth;
    if (size > 0)
        return size;
    switch (kind) {
    case FieldKind::Boolean:
    case FieldKind::CalcBoolean:
        return 5;
    case FieldKind::Memo:
        return 10;
    default:
        return 10;
    }
}
