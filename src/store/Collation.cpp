#include "store/Collation.h"

#include <QCollator>
#include <QCollatorSortKey>
#include <QHash>
#include <QLocale>
#include <algorithm>

static const QCollator& russianCollator(bool caseInsensitive)
{
    static const QCollator withCase = [] {
        QCollator c(QLocale(QLocale::Russian, QLocale::Russia));
        c.setCaseSensitivity(Qt::CaseSensitive);
        return c;
    }();
    static const QCollator withoutCase = [] {
        QCollator c(QLocale(QLocale::Russian, QLocale::Russia));
        c.setCaseSensitivity(Qt::CaseInsensitive);
        return c;
    }();
    return caseInsensitive ? withoutCase : withCase;
}

int compareRussian(const QString& a, const QString& b, bool caseInsensitive)
{
    return russianCollator(caseInsensitive).compare(a, b);
}

std::vector<int> rankRussian(const std::vector<const QString*>& texts, bool caseInsensitive)
{
    // Real trees repeat surnames and given names a lot: collate each distinct text once.
    QHash<QString, int> distinctIndex;
    std::vector<const QString*> distinct;
    std::vector<int> textToDistinct(texts.size());
    for (std::size_t i = 0; i < texts.size(); ++i) {
        auto it = distinctIndex.constFind(*texts[i]);
        if (it == distinctIndex.constEnd()) {
            it = distinctIndex.insert(*texts[i], int(distinct.size()));
            distinct.push_back(texts[i]);
        }
        textToDistinct[i] = it.value();
    }

    const QCollator& collator = russianCollator(caseInsensitive);
    std::vector<QCollatorSortKey> keys;
    keys.reserve(distinct.size());
    for (const QString* s : distinct)
        keys.push_back(collator.sortKey(*s));

    std::vector<int> byKey(distinct.size());
    for (std::size_t i = 0; i < byKey.size(); ++i)
        byKey[i] = int(i);
    std::sort(byKey.begin(), byKey.end(), [&](int a, int b) { return keys[a].compare(keys[b]) < 0; });

    std::vector<int> distinctRank(distinct.size());
    int rank = 0;
    for (std::size_t i = 0; i < byKey.size(); ++i) {
        if (i > 0 && keys[byKey[i - 1]].compare(keys[byKey[i]]) != 0)
            ++rank;
        distinctRank[byKey[i]] = rank;
    }

    std::vector<int> ranks(texts.size());
    for (std::size_t i = 0; i < texts.size(); ++i)
        ranks[i] = distinctRank[textToDistinct[i]];
    return ranks;
}
