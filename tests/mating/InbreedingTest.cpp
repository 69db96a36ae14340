// Relationships and the calf's inbreeding, against the tabular method worked out here on the
// whole pedigree.
#include "PedigreeFixtures.h"
#include "mating/model/Inbreeding.h"

#include <gtest/gtest.h>

using namespace mating;

namespace {

// The numerator relationship matrix filled row by row (Henderson's tabular method), parents
// numbered before offspring as Pedigree promises.
std::vector<std::vector<double>> tabular(const Pedigree& p)
{
    const int n = p.size();
    std::vector<std::vector<double>> a(size_t(n), std::vector<double>(size_t(n), 0));
    auto at = [&](int i, int j) { return i < 0 || j < 0 ? 0.0 : a[size_t(i)][size_t(j)]; };
    for (int j = 0; j < n; ++j) {
        const int s = p.sire(j), d = p.dam(j);
        EXPECT_LT(s, j);
        EXPECT_LT(d, j);
        for (int i = 0; i < j; ++i) a[size_t(i)][size_t(j)] = a[size_t(j)][size_t(i)] = (at(i, s) + at(i, d)) / 2;
        a[size_t(j)][size_t(j)] = 1 + at(s, d) / 2;
    }
    return a;
}

struct Case {
    const char* name;
    std::vector<HerdAnimal> herd;
    std::vector<Bull> bulls;
    const char* bull;  // KPN digits
    const char* cow;
    double calfF;
    const char* relationship;
};

}  // namespace

TEST(Inbreeding, HandWorkedPedigreesAgreeWithTheTabularMethod)
{
    const std::vector<Case> cases = {
        {"sire and daughter",
         {herdAnimal("C", "KPN100", "", "D"), herdAnimal("D")},
         {catalogueBull("100")},
         "100",
         "C",
         0.25,
         "부"},
        {"maternal grandsire",
         {herdAnimal("C", "200", "", "D"), herdAnimal("D", "100")},
         {catalogueBull("100"), catalogueBull("200")},
         "100",
         "C",
         0.125,
         "외조부"},
        {"paternal grandsire through the catalogue",
         {herdAnimal("C", "200", "", "D"), herdAnimal("D")},
         {catalogueBull("100"), catalogueBull("200", "100")},
         "100",
         "C",
         0.125,
         "친조부"},
        {"paternal grandsire through a herd sire (부번호)",
         {herdAnimal("C", "", "H", "D"), herdAnimal("H", "100"), herdAnimal("D")},
         {catalogueBull("100")},
         "100",
         "C",
         0.125,
         "친조부"},
        {"half-sibs by a catalogue sire",
         {herdAnimal("C", "200")},
         {catalogueBull("200"), catalogueBull("300", "200", "")},
         "300",
         "C",
         0.125,
         "부의 아들(이복)"},
        {"half-sibs by a sire outside the catalogue",
         {herdAnimal("C", "KPN-900")},
         {catalogueBull("300", "900", "")},
         "300",
         "C",
         0.125,
         "부의 아들(이복)"},
        // Her sire's sire and her dam's sire: ½·(½ + ½).
        {"two paths to one bull",
         {herdAnimal("C", "200", "", "D"), herdAnimal("D", "100")},
         {catalogueBull("100"), catalogueBull("200", "100")},
         "100",
         "C",
         0.25,
         "외조부"},
        // Her dam D is by 100 out of a daughter of 100 (F_D = 25 %): a(100, D) = ¾, a(100, C) = ⅜.
        {"an inbred dam",
         {herdAnimal("C", "", "", "D"), herdAnimal("D", "100", "", "M"), herdAnimal("M", "100")},
         {catalogueBull("100")},
         "100",
         "C",
         0.1875,
         "외조부"},
        // 100 is by 50 out of a daughter of 50 (F = 25 %), so a(100, 100) = 1.25 and his
        // daughter's calf by him has F = ½·½·1.25.
        {"an inbred catalogue bull",
         {herdAnimal("C", "100")},
         {catalogueBull("50"), catalogueBull("100", "50", "50")},
         "100",
         "C",
         0.3125,
         "부"},
        // 300 is out of a daughter of 50; C's sire 200 is a son of 50: a = ¼·¼·… the common
        // ancestor is two generations from each.
        {"a common ancestor further back",
         {herdAnimal("C", "200", "", "D"), herdAnimal("D")},
         {catalogueBull("50"), catalogueBull("200", "50"), catalogueBull("300", "", "50")},
         "300",
         "C",
         0.03125,
         "공통 조상 KPN50"},
        {"unknown parents", {herdAnimal("C"), herdAnimal("D")}, {catalogueBull("100")}, "100", "C", 0, ""},
        {"a bull named by nothing but the question", {herdAnimal("C", "200")}, {}, "100", "C", 0, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Pedigree p = Pedigree::build(c.herd, c.bulls);
        Relationships rel(p);
        const int bull = p.bull(QString::fromUtf8(c.bull));
        const int cow = p.animal(QString::fromUtf8(c.cow));
        ASSERT_NE(cow, Pedigree::kUnknown);
        EXPECT_DOUBLE_EQ(rel.calfInbreeding(bull, cow), c.calfF);
        if (bull != Pedigree::kUnknown) {
            const auto a = tabular(p);
            EXPECT_DOUBLE_EQ(rel.calfInbreeding(bull, cow), a[size_t(bull)][size_t(cow)] / 2);
            for (int i = 0; i < p.size(); ++i) {
                EXPECT_DOUBLE_EQ(rel.inbreeding(i), a[size_t(i)][size_t(i)] - 1) << i;
                for (int j = 0; j < p.size(); ++j) EXPECT_DOUBLE_EQ(rel.additive(i, j), a[size_t(i)][size_t(j)]);
            }
        }
        EXPECT_EQ(relationshipText(relationshipOf(p, bull, cow)), QString::fromUtf8(c.relationship));
    }
}

TEST(Inbreeding, PercentIsShownWithOneDecimalHalvesUp)
{
    const std::pair<double, const char*> cases[] = {{0, "0.0%"},      {0.03125, "3.1%"}, {0.0625, "6.3%"},
                                                    {0.125, "12.5%"}, {0.25, "25.0%"},   {0.3125, "31.3%"}};
    for (const auto& [f, text] : cases) EXPECT_EQ(percentText(f), QString::fromUtf8(text)) << f;
}

TEST(Pedigree, ABullIsOneIndividualHoweverItIsNamed)
{
    const Pedigree p =
        Pedigree::build({herdAnimal("A", "KPN-900"), herdAnimal("B", "kpn 900"), herdAnimal(" A ", "1")}, {});
    const int a = p.animal("A"), b = p.animal("B");
    EXPECT_EQ(p.sire(a), p.bull("900"));
    EXPECT_EQ(p.sire(b), p.bull("900"));
    EXPECT_EQ(p.kind(p.bull("900")), Pedigree::Kind::NamedBull);
    EXPECT_EQ(p.bull("1"), Pedigree::kUnknown);  // the second animal "A" is not read
    EXPECT_EQ(p.shownName(p.bull("900")), QStringLiteral("KPN900"));
    Relationships rel(p);
    EXPECT_DOUBLE_EQ(rel.additive(a, b), 0.25);  // half-sisters
}

TEST(Pedigree, ACatalogueBullHasADamOfHisOwnByHisMaternalGrandsire)
{
    const Pedigree p = Pedigree::build({}, {catalogueBull("300", "", "50"), catalogueBull("400", "", "50")});
    const int b300 = p.bull("300"), b400 = p.bull("400");
    EXPECT_NE(p.dam(b300), p.dam(b400));
    EXPECT_EQ(p.kind(p.dam(b300)), Pedigree::Kind::CatalogueDam);
    EXPECT_EQ(p.sire(p.dam(b300)), p.bull("50"));
    EXPECT_EQ(p.sire(b300), Pedigree::kUnknown);
    Relationships rel(p);
    EXPECT_DOUBLE_EQ(rel.additive(b300, b400), 0.0625);  // their dams are half-sisters
    EXPECT_EQ(relationshipText(relationshipOf(p, b300, b400)), QStringLiteral("공통 조상 KPN50"));
}

TEST(Pedigree, ASireFromTheHerdBookOnlyWithoutAReadableKpn)
{
    const Pedigree p = Pedigree::build({herdAnimal("C1", "KPN100", "H"), herdAnimal("C2", "", "H"),
                                        herdAnimal("C3", "모름", "H"), herdAnimal("C4", "", "X", "Y"), herdAnimal("H")},
                                       {});
    EXPECT_EQ(p.sire(p.animal("C1")), p.bull("100"));
    EXPECT_EQ(p.sire(p.animal("C2")), p.animal("H"));
    EXPECT_EQ(p.sire(p.animal("C3")), p.animal("H"));
    EXPECT_EQ(p.sire(p.animal("C4")), Pedigree::kUnknown);  // parents outside the herd are unknown
    EXPECT_EQ(p.dam(p.animal("C4")), Pedigree::kUnknown);
}

TEST(Pedigree, LoopsInBadDataAreCutNeverFollowed)
{
    struct LoopCase {
        const char* name;
        std::vector<HerdAnimal> herd;
        std::vector<Bull> bulls;
    };
    const std::vector<LoopCase> cases = {
        {"its own dam", {herdAnimal("A", "", "", "A")}, {}},
        {"dam and daughter of each other", {herdAnimal("A", "", "", "B"), herdAnimal("B", "", "", "A")}, {}},
        {"a herd sire its own grandsire",
         {herdAnimal("A", "", "B"), herdAnimal("B", "", "C"), herdAnimal("C", "", "A")},
         {}},
        {"catalogue bulls each other's sire",
         {herdAnimal("A", "100")},
         {catalogueBull("100", "200"), catalogueBull("200", "100")}},
        {"a bull his own maternal grandsire", {herdAnimal("A", "100")}, {catalogueBull("100", "", "100")}},
    };
    for (const LoopCase& c : cases) {
        SCOPED_TRACE(c.name);
        const Pedigree p = Pedigree::build(c.herd, c.bulls);
        EXPECT_EQ(p.cutLinks().size(), 1);
        for (int i = 0; i < p.size(); ++i) {
            EXPECT_LT(p.sire(i), i);
            EXPECT_LT(p.dam(i), i);
        }
        Relationships rel(p);
        const double f = rel.inbreeding(p.animal("A"));
        EXPECT_GE(f, 0);
        EXPECT_LE(f, 1);
    }
}
