#pragma once
// Synthetic family trees for the benchmarks.
#include "store/GenealogyStore.h"

#include <QByteArray>
#include <QString>
#include <random>

namespace synthetic {

// 40 generations of 2 500 persons, parents known about four times in five,
// fathers drawn from a few men of each generation (large families).
constexpr int generations = 40, perGeneration = 2500;

inline int numberOf(int generation, int i)
{
    return generation * perGeneration + i + 1;
}

inline void fillStore(GenealogyStore& store)
{
    std::mt19937 rng(7);
    for (int n = generations * perGeneration; n >= 1; --n)
        store.persons.insertRecord({n, QStringLiteral("Фамилия%1").arg(n), QStringLiteral("Имя"),
                                    QStringLiteral("Отчество"), QString(), n % 2 == 1});
    // Generation g + 1 holds the parents of generation g; even i are men.
    for (int g = 0; g + 1 < generations; ++g)
        for (int i = 0; i < perGeneration; ++i) {
            const int child = numberOf(g, i);
            if (rng() % 100 < 79)
                store.links.insertRecord({numberOf(g + 1, 2 * int(rng() % 250)), child, LinkKind::ParentOf});
            if (rng() % 100 < 79)
                store.links.insertRecord({numberOf(g + 1, 2 * int(rng() % 1250) + 1), child, LinkKind::ParentOf});
        }
}

// A GEDCOM file of this many persons where person i is the father of 2i and
// 2i + 1, so that every person's descendants form a tree without collapse.
inline QByteArray heapGedcom(int persons)
{
    QByteArray out = "0 HEAD\n1 CHAR UTF-8\n";
    for (int i = 1; i <= persons; ++i)
        out += QStringLiteral("0 @I%1@ INDI\n1 NAME Имя%1 Отчество /Фамилия%1/\n1 SEX %2\n1 BIRT\n2 DATE %3\n"
                              "2 PLAC Город %1\n")
                   .arg(i)
                   .arg(i % 3 ? QLatin1Char('M') : QLatin1Char('F'))
                   .arg(1000 + i / 10)
                   .toUtf8();
    for (int i = 1; 2 * i <= persons; ++i) {
        out += QStringLiteral("0 @F%1@ FAM\n1 HUSB @I%1@\n1 CHIL @I%2@\n").arg(i).arg(2 * i).toUtf8();
        if (2 * i + 1 <= persons)
            out += QStringLiteral("1 CHIL @I%1@\n").arg(2 * i + 1).toUtf8();
    }
    return out + "0 TRLR\n";
}

} // namespace synthetic
