#include "export/GenerationRegister.h"

#include "dialogs/NameEntry.h"
#include "treefile/AtomicFile.h"

#include <QFileInfo>
#include <algorithm>
#include <unordered_map>

namespace {

QString romanNumeral(int n)
{
    static const std::pair<int, const char*> digits[] = {{1000, "M"}, {900, "CM"}, {500, "D"}, {400, "CD"},
                                                         {100, "C"},  {90, "XC"},  {50, "L"},  {40, "XL"},
                                                         {10, "X"},   {9, "IX"},   {5, "V"},   {4, "IV"},
                                                         {1, "I"}};
    QString out;
    for (auto [value, letters] : digits)
        for (; n >= value; n -= value)
            out += QLatin1String(letters);
    return out;
}

// Stored texts may hold line breaks; a register line may not.
QString oneLine(QString text)
{
    for (QChar& c : text)
        if (c.category() == QChar::Other_Control)
            c = QLatin1Char(' ');
    return text.simplified();
}

QString joined(const QStringList& parts, const QString& separator)
{
    QStringList present;
    for (const QString& part : parts)
        if (!oneLine(part).isEmpty())
            present << oneLine(part);
    return present.join(separator);
}

struct Entry {
    int num = 0;
    int parentNumber = 0;  // the register number of the parent who reached this person first; 0 for the root
    int generation = 1;
    std::vector<int> children;  // person numbers, link order, each once
};

// Reads persons and links through the tables' integer indexes.
class RegisterWriter {
public:
    explicit RegisterWriter(GenealogyStore& store) : store_(store) {}

    std::optional<RegisterText> write(int root)
    {
        if (!personRow(root))
            return std::nullopt;
        numberDescendants(root);
        QString text = QStringLiteral("Поколенная роспись потомков: %1\n").arg(fullName(*personRow(root)));
        int generation = 0;
        for (std::size_t i = 0; i < entries_.size(); ++i) {
            const Entry& entry = entries_[i];
            if (entry.generation != generation) {
                generation = entry.generation;
                text += QStringLiteral("\nКолено %1\n").arg(romanNumeral(generation));
            }
            text += QLatin1Char('\n') + entryText(int(i) + 1, entry);
        }
        return RegisterText{text, int(entries_.size())};
    }

private:
    std::optional<RowId> personRow(int num)
    {
        const std::vector<int> found = store_.persons.positionsWithInteger(PersonField::num, num);
        if (found.empty())
            return std::nullopt;
        return store_.persons.rowAt(found.front());
    }

    // Link-table order, each relative once, only persons that exist.
    std::vector<int> relatives(int num, int kind)
    {
        RecordTable& links = store_.links;
        std::vector<int> positions = links.positionsWithInteger(LinkField::id1, num);
        if (kind == LinkKind::Spouses) {
            const std::vector<int> second = links.positionsWithInteger(LinkField::id2, num);
            positions.insert(positions.end(), second.begin(), second.end());
            std::sort(positions.begin(), positions.end());
        }
        std::vector<int> out;
        for (int position : positions) {
            const RowId row = links.rowAt(position);
            if (links.integerAt(row, LinkField::rel) != kind)
                continue;
            const int id1 = links.integerAt(row, LinkField::id1), id2 = links.integerAt(row, LinkField::id2);
            const int other = id1 == num ? id2 : id1;
            if (std::find(out.begin(), out.end(), other) == out.end() && personRow(other))
                out.push_back(other);
        }
        return out;
    }

    // Breadth first: generation by generation, by the parent's number, siblings in link order.
    void numberDescendants(int root)
    {
        entries_.push_back({root, 0, 1, {}});
        numberOf_[root] = 1;
        for (std::size_t i = 0; i < entries_.size(); ++i) {
            // A copy: pushing entries may move the vector under a reference.
            const std::vector<int> children = relatives(entries_[i].num, LinkKind::ParentOf);
            const int generation = entries_[i].generation + 1;
            entries_[i].children = children;
            for (int child : children)
                if (numberOf_.try_emplace(child, int(entries_.size()) + 1).second)
                    entries_.push_back({child, int(i) + 1, generation, {}});
        }
    }

    QString fullName(RowId row) const
    {
        const RecordTable& p = store_.persons;
        const NameParts parts = withFamilyNameInPlace(
            {p.stringAt(row, PersonField::fam), p.stringAt(row, PersonField::name), p.stringAt(row, PersonField::surname)});
        QString name = joined({parts.fam, parts.name, parts.surname}, QStringLiteral(" "));
        // The import keeps the slashes around the family name, wherever the name's words put it.
        name.remove(QLatin1Char('/'));
        name = name.simplified();
        return name.isEmpty() ? QStringLiteral("(без имени)") : name;
    }

    QString lifeText(RowId row) const
    {
        const RecordTable& p = store_.persons;
        const QString sep = QStringLiteral(", ");
        const QString birth = joined({p.stringAt(row, PersonField::birth_date), p.stringAt(row, PersonField::birth_place)}, sep);
        const QString death = joined({p.stringAt(row, PersonField::death_date), p.stringAt(row, PersonField::death_place)}, sep);
        if (birth.isEmpty() && death.isEmpty())
            return {};
        if (death.isEmpty())
            return QStringLiteral(" (%1)").arg(birth);
        return birth.isEmpty() ? QStringLiteral(" (— %1)").arg(death) : QStringLiteral(" (%1 — %2)").arg(birth, death);
    }

    QString spouseLine(int spouse)
    {
        const RowId row = *personRow(spouse);
        const RecordTable& p = store_.persons;
        const QString label = p.booleanAt(row, PersonField::sexnotset) ? QStringLiteral("Супруг(а)")
                              : p.booleanAt(row, PersonField::sex)     ? QStringLiteral("Муж")
                                                                       : QStringLiteral("Жена");
        const auto numbered = numberOf_.find(spouse);
        if (numbered != numberOf_.end())
            return QStringLiteral("   %1: %2, см. %3.\n").arg(label, fullName(row)).arg(numbered->second);
        return QStringLiteral("   %1: %2%3.\n").arg(label, fullName(row), lifeText(row));
    }

    QString entryText(int number, const Entry& entry)
    {
        const RowId row = *personRow(entry.num);
        QString text = QString::number(number) + QStringLiteral(". ");
        if (entry.parentNumber > 0)
            text += QStringLiteral("[%1] ").arg(entry.parentNumber);
        text += fullName(row) + lifeText(row) + QStringLiteral(".\n");
        for (int spouse : relatives(entry.num, LinkKind::Spouses))
            text += spouseLine(spouse);
        QStringList children;
        for (int child : entry.children)
            children << QString::number(numberOf_.at(child));
        if (!children.isEmpty())
            text += QStringLiteral("   Дети: %1\n").arg(children.join(QStringLiteral(", ")));
        return text;
    }

    GenealogyStore& store_;
    std::vector<Entry> entries_;
    std::unordered_map<int, int> numberOf_;  // person number -> register number
};

} // namespace

std::optional<RegisterText> generationRegister(GenealogyStore& store, int root)
{
    return RegisterWriter(store).write(root);
}

RegisterFileResult writeGenerationRegister(GenealogyStore& store, int root, const QString& path)
{
    const std::optional<RegisterText> result = generationRegister(store, root);
    if (!result)
        return {false, QStringLiteral("Нет персонажа с номером %1").arg(root)};
    const std::optional<QString> error = saveBytesAtomically(path, result->text.toUtf8(), NewFileAccess::FollowUmask);
    if (error)
        return {false, *error};
    return {true, QStringLiteral("Поколенная роспись (%1 чел.) записана в файл «%2».")
                      .arg(result->persons)
                      .arg(QFileInfo(path).fileName())};
}
