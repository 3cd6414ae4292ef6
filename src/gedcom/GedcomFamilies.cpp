#include "gedcom/GedcomFamilies.h"

#include "store/GenealogyStore.h"

#include <QHash>
#include <algorithm>

namespace {

quint64 coupleKey(int a, int b)
{
    return (quint64(std::min(a, b)) << 32) | quint32(std::max(a, b));
}

class FamilyBuilder {
public:
    FamilyBuilder(GedcomFamilies& out, int personCount) : out_(out), parents_(std::size_t(personCount) + 1) {}

    void addLink(int from, int to, int kind)
    {
        if (kind == LinkKind::Spouses)
            addCouple(from, to);
        else if (kind == LinkKind::ParentOf)
            addParent(from, to);
        else
            ++out_.skippedLinks;
    }

    void placeChildren(const std::vector<bool>& male)
    {
        for (std::size_t child = 1; child < parents_.size(); ++child)
            placeChild(int(child), parents_[child], male);
    }

private:
    void addCouple(int husband, int wife)
    {
        const quint64 key = coupleKey(husband, wife);
        if (couples_.contains(key))
            return;
        couples_.insert(key, int(out_.families.size()));
        out_.families.push_back({husband, wife, {}});
    }

    void addParent(int parent, int child)
    {
        std::vector<int>& parents = parents_[std::size_t(child)];
        if (std::find(parents.begin(), parents.end(), parent) == parents.end())
            parents.push_back(parent);
    }

    // Couples first, each parent in one family only, so that no link is read back twice.
    void placeChild(int child, const std::vector<int>& parents, const std::vector<bool>& male)
    {
        std::vector<bool> placed(parents.size(), false);
        for (std::size_t i = 0; i < parents.size(); ++i)
            for (std::size_t j = i + 1; j < parents.size() && !placed[i]; ++j) {
                const auto couple = couples_.constFind(coupleKey(parents[i], parents[j]));
                if (placed[j] || couple == couples_.cend())
                    continue;
                out_.families[std::size_t(*couple)].children.push_back(child);
                placed[i] = placed[j] = true;
            }
        for (std::size_t i = 0; i < parents.size(); ++i)
            if (!placed[i])
                singleParentFamily(parents[i], male).children.push_back(child);
    }

    GedcomFamily& singleParentFamily(int parent, const std::vector<bool>& male)
    {
        auto found = singles_.constFind(parent);
        if (found == singles_.cend()) {
            found = singles_.insert(parent, int(out_.families.size()));
            out_.families.push_back(male[std::size_t(parent)] ? GedcomFamily{parent, 0, {}} : GedcomFamily{0, parent, {}});
        }
        return out_.families[std::size_t(*found)];
    }

    GedcomFamilies& out_;
    std::vector<std::vector<int>> parents_;
    QHash<quint64, int> couples_;
    QHash<int, int> singles_;
};

void indexMembers(GedcomFamilies& out, int personCount)
{
    out.asSpouse.assign(std::size_t(personCount) + 1, {});
    out.asChild.assign(std::size_t(personCount) + 1, {});
    for (std::size_t f = 0; f < out.families.size(); ++f) {
        const GedcomFamily& family = out.families[f];
        const int number = int(f) + 1;
        if (family.husband)
            out.asSpouse[std::size_t(family.husband)].push_back(number);
        if (family.wife && family.wife != family.husband)
            out.asSpouse[std::size_t(family.wife)].push_back(number);
        for (int child : family.children)
            out.asChild[std::size_t(child)].push_back(number);
    }
}

} // namespace

GedcomFamilies groupFamilies(const RecordTable& links, int personCount, const std::function<int(int)>& ordinalOf,
                             const std::vector<bool>& male)
{
    GedcomFamilies out;
    FamilyBuilder builder(out, personCount);
    for (int p = 0; p < links.recordCount(); ++p) {
        const RowId row = links.rowAt(p);
        const int from = ordinalOf(links.integerAt(row, LinkField::id1));
        const int to = ordinalOf(links.integerAt(row, LinkField::id2));
        if (!from || !to) {
            ++out.skippedLinks;
            continue;
        }
        builder.addLink(from, to, links.integerAt(row, LinkField::rel));
    }
    builder.placeChildren(male);
    indexMembers(out, personCount);
    return out;
}
