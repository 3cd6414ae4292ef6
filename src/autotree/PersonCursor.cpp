#include "autotree/PersonCursor.h"

#include "store/GenealogyStore.h"

#include <QStringList>

PersonCursor::PersonCursor(RecordTable& persons) : persons_(persons)
{
    if (!persons.isEmpty()) {
        position_ = persons.currentPosition();
        row_ = persons.currentRow();
    }
}

const PersonCursor::Found& PersonCursor::find(int num)
{
    auto [it, added] = cache_.try_emplace(num, Found{0, -1});
    if (added) {
        const std::vector<int> positions = persons_.positionsWithInteger(PersonField::num, num);
        if (!positions.empty())
            it->second = Found{persons_.rowAt(positions.front()), positions.front()};
    }
    return it->second;
}

void PersonCursor::locate(int num)
{
    const Found& found = find(num);
    if (found.position < 0)
        return;
    row_ = found.row;
    position_ = found.position;
    moved_ = true;
}

bool PersonCursor::isKnown(int num)
{
    return find(num).position >= 0;
}

bool PersonCursor::male() const
{
    return valid() && persons_.booleanAt(row_, PersonField::sex);
}

int PersonCursor::boxType() const
{
    return male() ? 2 : 1;
}

QString PersonCursor::displayName(int num)
{
    const Found& found = find(num);
    if (found.position < 0)
        return QString();
    return QStringList{persons_.stringAt(found.row, PersonField::fam), persons_.stringAt(found.row, PersonField::name),
                       persons_.stringAt(found.row, PersonField::surname)}
        .join(QLatin1Char(' '));
}

void PersonCursor::applyTo(RecordTable& persons) const
{
    if (moved_)
        persons.setCurrentPosition(position_);
}
