#include "export/GenerationRegister.h"
#include "support/TestHelpers.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// Cousins who married, a parent link back to the root, a childless line,
// links both ways round and repeated.
void fillFamily(GenealogyStore& store)
{
    struct Person {
        int num;
        const char *fam, *name, *surname;
        bool male;
        const char *birth, *birthPlace, *death, *deathPlace;
        bool sexNotSet;
    };
    const Person persons[] = {
        {1, "/Иванов/", "Иван", "Петрович", true, "1850", "Москва", "1920", "Тула", false},
        {2, "Петрова", "Мария", "Ивановна", false, "1855", "", "", "", false},
        {3, "Иванов", "Пётр", "Иванович", true, "1880", "", "", "", false},
        {4, "Иванова", "Анна", "Ивановна", false, "1882", "", "", "", false},
        {5, "Сидорова", "Ольга", "", false, "", "", "", "", true},
        {6, "Козлов", "Сергей", "", true, "", "", "1942", "", false},
        {7, "Иванов", "Николай", "Петрович", true, "", "", "", "", false},
        {8, "Козлова", "Елена", "Сергеевна", false, "", "", "", "", false},
        {9, "Иванов", "Андрей", "Николаевич", true, "", "", "", "", false},
        {10, "Иванов", "Фёдор", "Иванович", true, "", "", "", "", false},
    };
    for (const Person& p : persons)
        store.persons.insertRecord({p.num, p.fam, p.name, p.surname, FieldValue(), p.male, p.birth, p.birthPlace,
                                    p.death, p.deathPlace, p.sexNotSet});
    const int S = LinkKind::Spouses, P = LinkKind::ParentOf;
    const int links[][3] = {{1, 2, S}, {1, 3, P}, {2, 3, P}, {1, 4, P}, {2, 4, P}, {1, 10, P}, {3, 5, S},
                            {6, 4, S}, {3, 7, P}, {5, 7, P}, {4, 8, P}, {6, 8, P}, {7, 8, S}, {7, 9, P},
                            {8, 9, P}, {9, 1, P}, {1, 3, P}, {1, 77, P}};
    // Each insert goes before the current row: inserting backwards keeps the order above.
    for (int i = int(std::size(links)) - 1; i >= 0; --i)
        store.links.insertRecord({links[i][0], links[i][1], links[i][2]});
}

const char* const expectedRegister = R"(Поколенная роспись потомков: Иванов Иван Петрович

Колено I

1. Иванов Иван Петрович (1850, Москва — 1920, Тула).
   Жена: Петрова Мария Ивановна (1855).
   Дети: 2, 3, 4

Колено II

2. [1] Иванов Пётр Иванович (1880).
   Супруг(а): Сидорова Ольга.
   Дети: 5

3. [1] Иванова Анна Ивановна (1882).
   Муж: Козлов Сергей (— 1942).
   Дети: 6

4. [1] Иванов Фёдор Иванович.

Колено III

5. [2] Иванов Николай Петрович.
   Жена: Козлова Елена Сергеевна, см. 6.
   Дети: 7

6. [3] Козлова Елена Сергеевна.
   Муж: Иванов Николай Петрович, см. 5.
   Дети: 7

Колено IV

7. [5] Иванов Андрей Николаевич.
   Дети: 1
)";

} // namespace

TEST(GenerationRegister, NumbersEveryDescendantOnceWhereTheOrderFirstReachesThem)
{
    GenealogyStore store;
    fillFamily(store);
    ASSERT_EQ(linkTriples(store.links).first(), (QList<int>{1, 2, LinkKind::Spouses}));
    const auto result = generationRegister(store, 1);
    ASSERT_TRUE(result);
    EXPECT_EQ(result->text, QString::fromUtf8(expectedRegister));
    EXPECT_EQ(result->persons, 7);

    // A root in the middle: only the descendants, the root without a bracket.
    const auto fromAnna = generationRegister(store, 4);
    ASSERT_TRUE(fromAnna);
    EXPECT_TRUE(fromAnna->text.startsWith(QStringLiteral("Поколенная роспись потомков: Иванова Анна Ивановна\n\n"
                                                         "Колено I\n\n1. Иванова Анна Ивановна (1882).\n")));
    EXPECT_EQ(fromAnna->persons, 7);  // through the link back to Иван, his whole line too
    EXPECT_FALSE(generationRegister(store, 77));
}

TEST(GenerationRegister, FileIsUtf8AndFailuresLeaveNothing)
{
    GenealogyStore store;
    fillFamily(store);
    QTemporaryDir dir;
    QDir(dir.path()).mkdir(QStringLiteral("taken.txt"));
    const RegisterFileResult written = writeGenerationRegister(store, 1, dir.filePath(QStringLiteral("r.txt")));
    EXPECT_TRUE(written.written);
    EXPECT_EQ(written.text, QStringLiteral("Поколенная роспись (7 чел.) записана в файл «r.txt»."));
    EXPECT_EQ(QString::fromUtf8(readFile(dir.filePath(QStringLiteral("r.txt")))), QString::fromUtf8(expectedRegister));

    const struct {
        int root;
        QString target;
        QString expected;
    } failures[] = {
        {77, dir.filePath(QStringLiteral("n.txt")), "Нет персонажа с номером 77"},
        {1, dir.filePath(QStringLiteral("missing/r.txt")), "«r.txt»: папка"},
        {1, dir.filePath(QStringLiteral("taken.txt")), "«taken.txt»: под этим именем уже есть папка"},
    };
    for (const auto& f : failures) {
        const RegisterFileResult result = writeGenerationRegister(store, f.root, f.target);
        EXPECT_FALSE(result.written);
        EXPECT_TRUE(result.text.contains(f.expected)) << result.text.toStdString();
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"r.txt"});
}
