// Prints how long the list, card, add and delete commands take on a tree of 100 000 persons.
#include "platform/ScriptedPlatform.h"
#include "app/TForm1.h"
#include "list/ui/PersonListController.h"
#include "card/ui/CardController.h"
#include "widgets/RadioGroup.h"
#include "list/ui/FilterPanel.h"

#include "BenchTiming.h"

#include <QApplication>
#include <QStandardPaths>
#include <chrono>
#include <cstdio>
#include <random>

namespace {

// 100 000 persons in 40 000 families, with birth and death events, as an import leaves them.
void fillTree(GenealogyStore& store)
{
    std::mt19937 random(7);
    static const char* families[] = {"Иванов", "Петров", "Сидоров", "Кузнецов", "Смирнов", "Попов", "Волков"};
    static const char* given[] = {"Иван", "Пётр", "Мария", "Анна", "Олег", "Ольга", "Борис"};
    constexpr int persons = 100000;
    int eventId = 0;
    for (int n = persons; n >= 1; --n) {
        const QString fam = QStringLiteral("/%1%2/").arg(QString::fromUtf8(families[random() % 7])).arg(random() % 500);
        store.persons.insertRecord({n, fam, QString::fromUtf8(given[random() % 7]), QStringLiteral("Отчество"),
                                    FieldValue(), bool(n % 2), QStringLiteral("%1 JAN 18%2").arg(n % 28 + 1).arg(n % 100),
                                    QStringLiteral("Москва"), QStringLiteral("1 FEB 1950"), QStringLiteral("Тула")});
        for (const char* kind : {"Рождение", "Смерть"}) {
            store.events.insertRecord({++eventId, kind, "1 JAN 1900", "Москва"});
            store.participants.insertRecord({eventId, n, kind[0] == 'P' ? "Новорожденный" : "Умерший"});
        }
    }
    int child = 0;
    for (int f = 0; f < 40000; ++f) {
        const int husband = 2 * f + 1, wife = 2 * f + 2;
        store.links.insertRecord({husband, wife, LinkKind::Spouses});
        for (int c = 0; c < 2 + f % 2; ++c, child = (child + 1) % persons)
            for (int parent : {husband, wife})
                store.links.insertRecord({parent, child + 1, LinkKind::ParentOf});
    }
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QStandardPaths::setTestModeEnabled(true);  // the window's recovery lock stays out of the user's data
    ScriptedPlatform platform;
    TForm1 form(platform);
    form.createSecondaryWindows();
    GenealogyStore& store = form.store();
    auto start = std::chrono::steady_clock::now();
    {
        const ControlsDisabled quiet(store.persons);
        fillTree(store);
    }
    std::printf("tree of %d persons, %d links, %d events: filled in %.0f ms\n", store.persons.recordCount(),
                store.links.recordCount(), store.events.recordCount(), millisecondsSince(start));

    std::printf("BuildCard, first (indexes the tables): %.2f ms\n", averageMs(1, [&](int) { form.card().BuildCard(7); }));
    std::printf("BuildCard: %.2f ms\n", averageMs(50, [&](int i) { form.card().BuildCard(50000 + i * 977); }));

    form.list().filterPanel->RadioGroup2->setItemIndex(int(SortItem::FamilyName));
    std::printf("\"Применить\" by family name: %.1f ms\n", averageMs(5, [&](int) { form.list().Button1Click(); }));

    form.list().filterPanel->RadioGroup2->setItemIndex(int(SortItem::None));
    form.list().Button1Click();
    form.selectTab(TForm1::DiagramMode);
    std::printf("AddPerson, list sorted by number: %.1f ms\n", averageMs(5, [&](int) { form.list().AddPerson(); }));
    form.list().filterPanel->RadioGroup2->setItemIndex(int(SortItem::FamilyName));
    std::printf("AddPerson, list sorted by family name: %.1f ms\n", averageMs(5, [&](int) { form.list().AddPerson(); }));
    std::printf("DeletePerson: %.1f ms\n", averageMs(20, [&](int i) { form.list().DeletePerson(40000 + i * 1231); }));
    return 0;
}
