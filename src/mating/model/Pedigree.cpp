#include "mating/model/Pedigree.h"

#include "data/Db.h"
#include "data/Values.h"
#include "mating/model/Kpn.h"

#include <QSqlQuery>

namespace mating {

QString Pedigree::shownName(int i) const
{
    const Node& n = m_nodes[size_t(i)];
    return n.kind == Kind::CatalogueBull || n.kind == Kind::NamedBull ? kpn::shown(n.name) : n.name;
}

int Pedigree::animal(const QString& number) const
{
    return m_animals.value(number.trimmed(), kUnknown);
}

int Pedigree::bull(const QString& kpnDigits) const
{
    return m_bulls.value(kpnDigits, kUnknown);
}

Pedigree Pedigree::build(const std::vector<HerdAnimal>& herd, const std::vector<Bull>& bulls)
{
    Pedigree raw;
    auto add = [&raw](Kind kind, const QString& name) {
        raw.m_nodes.push_back({kind, name, kUnknown, kUnknown});
        return int(raw.m_nodes.size()) - 1;
    };
    std::vector<const HerdAnimal*> firsts;  // by node: the first animal of each number
    for (const HerdAnimal& a : herd) {
        const QString number = a.number.trimmed();
        if (number.isEmpty() || raw.m_animals.contains(number)) continue;
        raw.m_animals.insert(number, add(Kind::Herd, number));
        firsts.push_back(&a);
    }
    for (const Bull& b : bulls) {
        const QString digits = kpn::digitsOf(b.kpn);
        if (!digits.isEmpty() && !raw.m_bulls.contains(digits))
            raw.m_bulls.insert(digits, add(Kind::CatalogueBull, digits));
    }
    auto bullNamed = [&](const QString& typed) {
        const QString digits = kpn::digitsOf(typed);
        if (digits.isEmpty()) return kUnknown;
        auto it = raw.m_bulls.constFind(digits);
        if (it != raw.m_bulls.constEnd()) return it.value();
        const int i = add(Kind::NamedBull, digits);
        raw.m_bulls.insert(digits, i);
        return i;
    };
    for (size_t i = 0; i < firsts.size(); ++i) {
        const HerdAnimal& a = *firsts[i];
        int sire = bullNamed(a.semen);
        if (sire == kUnknown) sire = raw.animal(a.sireNumber);
        raw.m_nodes[i].sire = sire;
        raw.m_nodes[i].dam = raw.animal(a.damNumber);
    }
    for (const Bull& b : bulls) {
        const int i = raw.bull(kpn::digitsOf(b.kpn));
        if (i == kUnknown || raw.m_nodes[size_t(i)].kind != Kind::CatalogueBull) continue;
        const int sire = bullNamed(b.sire);
        const int grandsire = bullNamed(b.mgs);
        int dam = kUnknown;
        if (grandsire != kUnknown) {
            dam = add(Kind::CatalogueDam, QString());
            raw.m_nodes[size_t(dam)].sire = grandsire;
        }
        raw.m_nodes[size_t(i)].sire = sire;
        raw.m_nodes[size_t(i)].dam = dam;
    }
    return raw.ordered();
}

Pedigree Pedigree::ordered() const
{
    // Depth first over the parent links: an individual is finished after its parents, and a
    // parent met again while its own descent is still being walked closes a loop.
    enum State : char { Unseen, Walking, Done };
    const int count = size();
    std::vector<State> state(size_t(count), Unseen);
    std::vector<Node> nodes = m_nodes;
    std::vector<int> order;
    order.reserve(size_t(count));
    QStringList cut;
    struct Frame {
        int node;
        int next;  // 0 sire, 1 dam, 2 both walked
    };
    std::vector<Frame> stack;
    for (int root = 0; root < count; ++root) {
        if (state[size_t(root)] != Unseen) continue;
        stack.push_back({root, 0});
        state[size_t(root)] = Walking;
        while (!stack.empty()) {
            Frame& f = stack.back();
            Node& n = nodes[size_t(f.node)];
            if (f.next == 2) {
                state[size_t(f.node)] = Done;
                order.push_back(f.node);
                stack.pop_back();
                continue;
            }
            int& parent = f.next == 0 ? n.sire : n.dam;
            ++f.next;
            if (parent == kUnknown) continue;
            if (state[size_t(parent)] == Walking) {
                cut << QStringLiteral("%1 → %2").arg(shownName(f.node), shownName(parent));
                parent = kUnknown;
            } else if (state[size_t(parent)] == Unseen) {
                state[size_t(parent)] = Walking;
                stack.push_back({parent, 0});  // may move `f`: not used again this round
            }
        }
    }
    std::vector<int> position(static_cast<size_t>(count));
    for (int k = 0; k < count; ++k) position[size_t(order[size_t(k)])] = k;
    Pedigree p;
    p.m_nodes.reserve(size_t(count));
    for (int old : order) {
        Node n = nodes[size_t(old)];
        if (n.sire != kUnknown) n.sire = position[size_t(n.sire)];
        if (n.dam != kUnknown) n.dam = position[size_t(n.dam)];
        p.m_nodes.push_back(std::move(n));
    }
    for (auto it = m_animals.cbegin(); it != m_animals.cend(); ++it)
        p.m_animals.insert(it.key(), position[size_t(it.value())]);
    for (auto it = m_bulls.cbegin(); it != m_bulls.cend(); ++it)
        p.m_bulls.insert(it.key(), position[size_t(it.value())]);
    p.m_cut = cut;
    return p;
}

std::vector<HerdAnimal> loadHerdAnimals()
{
    QSqlQuery q = runQuery(QStringLiteral("select 개체번호, 정액번호, 부번호, 모번호 from 개체관리"));
    std::vector<HerdAnimal> herd;
    while (q.next())
        herd.push_back({NullTrim(q.value(0)), NullTrim(q.value(1)), NullTrim(q.value(2)), NullTrim(q.value(3))});
    if (q.lastError().isValid()) throw DbError(q.lastError());
    return herd;
}

Pedigree loadPedigree()
{
    return Pedigree::build(loadHerdAnimals(), loadBulls());
}

}  // namespace mating
