// Prints how long the record table's core operations take on 100 000 rows.
#include "store/GenealogyStore.h"

#include "BenchTiming.h"

#include <QCoreApplication>
#include <chrono>
#include <cstdio>
#include <random>

namespace {

// Surnames from roots and endings: about 9 000 distinct texts in mixed case.
QString surname(std::mt19937& random)
{
    static const char* roots[] = {"Иван", "Петр", "Сидор", "Кузнец", "Смирн", "Попов", "Волк", "Соколов",
                                  "Лебед", "Козл", "Новик", "Морозов", "Ёлкин", "Жук", "Щук", "Яковл",
                                  "Белов", "Орл", "Зайц", "Медвед"};
    static const char* endings[] = {"ов", "ова", "ин", "ина", "ский", "ская", "ев", "ева", "енко", "ук"};
    QString s = QString::fromUtf8(roots[random() % 20]) + QString::fromUtf8(endings[random() % 10]);
    s += QString::number(random() % 45);
    if (random() % 7 == 0)
        s = s.toUpper();
    return s;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    constexpr int rows = 100000;
    std::mt19937 random(42);
    std::vector<QString> surnames;
    for (int i = 0; i < rows; ++i)
        surnames.push_back(surname(random));

    GenealogyStore store;
    RecordTable& persons = store.persons;
    const QString given = QStringLiteral("Имя"), patronymic = QStringLiteral("Отчество"), none;
    auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < rows; ++i)
        persons.insertRecord({i + 1, surnames[std::size_t(i)], given, patronymic, none, i % 2 == 0});
    std::printf("insert %d rows before the current row: %.1f ms\n", rows, millisecondsSince(start));

    start = std::chrono::steady_clock::now();
    constexpr int locates = 100;
    int found = 0;
    for (int k = 0; k < locates; ++k)
        found += persons.locate(PersonField::num, 1 + k * 997 % rows) ? 1 : 0;
    std::printf("locate by an integer field: %.3f ms each (%d found)\n", millisecondsSince(start) / locates, found);

    start = std::chrono::steady_clock::now();
    persons.sortOnField(PersonField::fam, true, false);
    std::printf("sort %d Russian surnames ignoring case: %.1f ms\n", rows, millisecondsSince(start));

    start = std::chrono::steady_clock::now();
    persons.sortOnField(PersonField::num, true, true);
    std::printf("sort %d rows on an integer field: %.1f ms\n", rows, millisecondsSince(start));
    return 0;
}
