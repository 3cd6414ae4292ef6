#include "store/TextPool.h"

#include <gtest/gtest.h>
#include <map>
#include <random>

// Random adds and releases against a map of texts to their references: equal
// texts share one handle, a text lives exactly as long as its references, and
// the probe runs stay findable however the holes fall.
TEST(TextPool, KeepsEachTextOnceForAsLongAsItIsReferenced)
{
    std::mt19937 rng(11);
    TextPool pool;
    std::map<QString, std::pair<TextPool::Handle, int>> model;
    std::vector<TextPool::Handle> held;
    for (int step = 0; step < 60000; ++step) {
        // Few distinct texts early, many later: the table grows and shrinks through its sizes.
        const int spread = step < 30000 ? 50 + step / 10 : 40;
        if (held.empty() || rng() % 100 < 55) {
            const QString text = rng() % 50 == 0 ? QString() : QStringLiteral("Текст %1").arg(rng() % spread);
            const TextPool::Handle h = rng() % 2 ? pool.add(text) : pool.add(QStringView(text));
            auto [it, fresh] = model.try_emplace(text, h, 0);
            ASSERT_EQ(it->second.first, h) << text.toStdString();
            ++it->second.second;
            held.push_back(h);
        } else {
            const std::size_t i = rng() % held.size();
            const TextPool::Handle h = held[i];
            held[i] = held.back();
            held.pop_back();
            const QString text = pool.text(h);
            pool.release(h);
            if (--model[text].second == 0)
                model.erase(text);
        }
        ASSERT_EQ(pool.size(), model.size());
    }
    for (const auto& [text, entry] : model)
        EXPECT_EQ(pool.text(entry.first), text);
}
