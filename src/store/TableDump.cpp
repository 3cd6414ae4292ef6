#include "store/TableDump.h"

namespace {

QString escaped(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (QChar c : text) {
        if (c == QLatin1Char('\\'))
            out += QLatin1String("\\\\");
        else if (c == QLatin1Char('\t'))
            out += QLatin1String("\\t");
        else if (c == QLatin1Char('\n'))
            out += QLatin1String("\\n");
        else
            out += c;
    }
    return out;
}

QString cellText(const Cell& cell)
{
    if (auto i = std::get_if<std::int32_t>(&cell))
        return QString::number(*i);
    if (auto b = std::get_if<bool>(&cell))
        return *b ? QStringLiteral("True") : QStringLiteral("False");
    if (auto s = std::get_if<QString>(&cell))
        return escaped(*s);
    return QString();
}

} // namespace

QString dumpTable(const RecordTable& table, const QString& name)
{
    std::vector<int> stored;
    QStringList header;
    for (int f = 0; f < table.fieldCount(); ++f)
        if (!isCalculated(table.fields()[std::size_t(f)].kind)) {
            stored.push_back(f);
            header << table.fields()[std::size_t(f)].name;
        }
    QString out = QStringLiteral("# ") + name + QLatin1Char('\n') + header.join(QLatin1Char('\t')) + QLatin1Char('\n');
    for (int p = 0; p < table.recordCount(); ++p) {
        const RowId row = table.rowAt(p);
        for (std::size_t i = 0; i < stored.size(); ++i) {
            if (i > 0)
                out += QLatin1Char('\t');
            out += cellText(table.cellAt(row, stored[i]));
        }
        out += QLatin1Char('\n');
    }
    return out;
}
