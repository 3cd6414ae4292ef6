#include "TreeFixture.h"

#include "diagram/DiagramRows.h"

void TreeFixture::persons(std::initializer_list<std::pair<int, bool>> numAndMale)
{
    for (auto [num, male] : numAndMale) {
        const QString tag = QString::number(num);
        store.persons.insertRecord({num, "Ф" + tag, "И" + tag, "О" + tag, QString(), male});
    }
}

void TreeFixture::parentLinks(std::initializer_list<std::pair<int, int>> parentAndChild)
{
    // Each insert goes before the current row, so the last one given goes in first.
    for (auto it = std::rbegin(parentAndChild); it != std::rend(parentAndChild); ++it) {
        store.links.first();
        store.links.insertRecord({it->first, it->second, LinkKind::ParentOf});
    }
}

void TreeFixture::makeCurrent(int num)
{
    store.persons.locate(PersonField::num, num);
}

int TreeFixture::current() const
{
    return store.persons.asInteger(PersonField::num);
}

QMap<int, QList<QPoint>> TreeFixture::boxes() const
{
    QMap<int, QList<QPoint>> out;
    const RecordTable& t = store.diagram;
    for (int p = 0; p < t.recordCount(); ++p)
        if (isPersonRow(t, t.rowAt(p)))
            out[t.integerAt(t.rowAt(p), DiagramField::owner)]
                << QPoint(t.integerAt(t.rowAt(p), DiagramField::x), t.integerAt(t.rowAt(p), DiagramField::y));
    return out;
}

QList<QPoint> TreeFixture::lines() const
{
    QList<QPoint> out;
    const RecordTable& t = store.diagram;
    for (int p = 0; p < t.recordCount(); ++p)
        if (isLineRow(t, t.rowAt(p)))
            out << QPoint(t.integerAt(t.rowAt(p), DiagramField::x), t.integerAt(t.rowAt(p), DiagramField::y));
    return out;
}

QList<int> TreeFixture::types() const
{
    QList<int> out;
    for (int p = 0; p < store.diagram.recordCount(); ++p)
        out << store.diagram.integerAt(store.diagram.rowAt(p), DiagramField::type);
    return out;
}
