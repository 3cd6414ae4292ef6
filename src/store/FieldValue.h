#pragma once
#include <QString>
#include <cstdint>
#include <variant>

// Kinds of fields a record table can hold.
enum class FieldKind { Integer, SmallInt, String, Boolean, Memo, CalcString, CalcBoolean };

bool isCalculated(FieldKind kind);
bool isTextKind(FieldKind kind);

// One field's stored state: empty (monostate), a number, a Boolean or a text.
using Cell = std::variant<std::monostate, std::int32_t, bool, QString>;

// A value handed to a table, typed by how it was written. Separate overloads keep
// a string literal from decaying to bool.
class FieldValue {
public:
    FieldValue() = default;
    FieldValue(int v) : cell_(std::int32_t(v)) {}
    FieldValue(bool v) : cell_(v) {}
    FieldValue(const QString& v) : cell_(v) {}
    FieldValue(const char* utf8) : cell_(QString::fromUtf8(utf8)) {}
    FieldValue(const char16_t* utf16) : cell_(QString::fromUtf16(utf16)) {}

    static FieldValue empty() { return FieldValue(); }
    bool isEmpty() const { return std::holds_alternative<std::monostate>(cell_); }
    const Cell& cell() const { return cell_; }

    // The value as it would be stored in a field of the given kind and size.
    Cell convertedFor(FieldKind kind, int size) const;

private:
    Cell cell_;
};

// A text cut to a field of size characters (no cut when size is 0), at whole
// characters: half a surrogate pair has no form in a file.
QStringView cutToFieldSize(QStringView text, int size);

// Definition of one field: name, kind, size and how grids present it.
struct FieldDef {
    QString name{};
    FieldKind kind = FieldKind::Integer;
    int size = 0;          // characters, for strings
    QString label{};       // column title; the name when empty
    int displayWidth = 0;  // characters; the size when 0
    bool visible = true;   // shown as a column by default
    QString boolTexts{};   // "TRUE;FALSE" display texts of a Boolean field

    QString title() const { return label.isEmpty() ? name : label; }
    int widthInChars() const;
};
