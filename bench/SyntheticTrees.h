#pragma once
// Synthetic family trees for the benchmarks.
#include "store/GenealogyStore.h"

#include <QByteArray>
#include <QIODevice>
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

// A GEDCOM file of individuals with a name, sex, birth and death each, and
// families of a husband, a wife and two or three children, as another program
// would write it; written record by record so that a million persons fit.
inline bool writeRichGedcom(QIODevice& out, int individuals, int families)
{
    static const char* surnames[] = {"Иванов", "Петров", "Сидоров", "Кузнецов", "Смирнов", "Попов", "Волков"};
    static const char* given[] = {"Иван", "Пётр", "Мария", "Анна", "Олег", "Ольга", "Борис"};
    static const char* months[] = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN", "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};
    bool ok = out.write("0 HEAD\n1 CHAR UTF-8\n") > 0;
    for (int i = 1; i <= individuals && ok; ++i) {
        QString text = QStringLiteral("0 @I%1@ INDI\n1 NAME %2 %3ович /%4%5/\n1 SEX %6\n")
                           .arg(i)
                           .arg(QString::fromUtf8(given[i % 7]), QString::fromUtf8(given[(i / 7) % 7]),
                                QString::fromUtf8(surnames[(i / 49) % 7]))
                           .arg(i % 500)
                           .arg(i % 2 ? 'M' : 'F');
        text += QStringLiteral("1 BIRT\n2 DATE %1 %2 18%3\n2 PLAC Село %4\n")
                    .arg(i % 28 + 1).arg(QString::fromLatin1(months[i % 12])).arg(i % 100, 2, 10, QLatin1Char('0')).arg(i % 900);
        text += QStringLiteral("1 DEAT\n2 DATE %1 %2 19%3\n2 PLAC Город %4\n")
                    .arg(i % 27 + 1).arg(QString::fromLatin1(months[(i + 5) % 12])).arg(i % 100, 2, 10, QLatin1Char('0')).arg(i % 300);
        ok = out.write(text.toUtf8()) > 0;
    }
    int child = 0;
    for (int f = 1; f <= families && ok; ++f) {
        QString text = QStringLiteral("0 @F%1@ FAM\n1 HUSB @I%2@\n1 WIFE @I%3@\n").arg(f).arg(2 * f - 1).arg(2 * f);
        for (int c = 0; c < 2 + f % 2; ++c, child = (child + 1) % individuals)
            text += QStringLiteral("1 CHIL @I%1@\n").arg(child + 1);
        ok = out.write(text.toUtf8()) > 0;
    }
    return ok && out.write("0 TRLR\n") > 0;
}

// A full pedigree: the father of person i is 2i and the mother 2i + 1.
inline bool writePedigreeGedcom(QIODevice& out, int persons)
{
    bool ok = out.write("0 HEAD\n1 CHAR UTF-8\n") > 0;
    for (int i = 1; i <= persons && ok; ++i)
        ok = out.write(QStringLiteral("0 @I%1@ INDI\n1 NAME Имя%1 Отчество /Фамилия%2/\n1 SEX %3\n1 BIRT\n2 DATE %4\n")
                           .arg(i)
                           .arg(i % 1000)
                           .arg(i % 2 ? QLatin1Char('F') : QLatin1Char('M'))
                           .arg(2000 - 25 * (31 - __builtin_clz(unsigned(i))))
                           .toUtf8()) > 0;
    for (int i = 1; 2 * i + 1 <= persons && ok; ++i)
        ok = out.write(QStringLiteral("0 @F%1@ FAM\n1 HUSB @I%2@\n1 WIFE @I%3@\n1 CHIL @I%1@\n")
                           .arg(i).arg(2 * i).arg(2 * i + 1).toUtf8()) > 0;
    return ok && out.write("0 TRLR\n") > 0;
}

} // namespace synthetic
