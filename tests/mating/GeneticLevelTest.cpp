// Pedigree values, the expected calf and the selection index.
#include "PedigreeFixtures.h"
#include "mating/model/GeneticLevel.h"
#include "mating/model/MatingIndex.h"

#include <gtest/gtest.h>
#include <cmath>

using namespace mating;

namespace {
constexpr auto kNone = std::nullopt;

// 50 ─┬─ 100 ── C (out of D)
//     200 ── D (out of M, by 200)
// 300 is named by M's 정액번호 but not in the catalogue.
Pedigree levelPedigree(std::vector<Bull>& bulls)
{
    bulls = {catalogueBull("50", "", "", ebvs({kNone, 4, 2, kNone, 0.4})),
             catalogueBull("100", "50", "", ebvs({30, 20, 6, -1, 1.0})),
             catalogueBull("200", "", "", ebvs({10, 10, kNone, 1, kNone}))};
    return Pedigree::build({herdAnimal("C", "100", "", "D"), herdAnimal("D", "200", "", "M"), herdAnimal("M", "300")},
                           bulls);
}
}  // namespace

TEST(GeneticLevel, AHerdAnimalIsTheMeanOfItsParentsUnknownCountingZero)
{
    std::vector<Bull> bulls;
    const Pedigree p = levelPedigree(bulls);
    const GeneticLevel level(p, bulls);
    struct Case {
        const char* animal;  // herd number or KPN digits
        bool bull;
        Trait trait;
        double value;
    };
    const Case cases[] = {
        {"100", true, Trait::Carcass, 20},    // a catalogue bull: his own value, not his sire's
        {"200", true, Trait::Marbling, 0},    // unknown breeding value
        {"300", true, Trait::Carcass, 0},     // outside the catalogue
        {"M", false, Trait::Carcass, 0},      // by 300, dam unknown
        {"D", false, Trait::Carcass, 5},      // ½·10 + ½·0
        {"C", false, Trait::Carcass, 12.5},   // ½·20 + ½·5
        {"C", false, Trait::Marbling, 0.5},   // ½·1.0 + ½·(½·unknown)
        {"C", false, Trait::BackFat, -0.25},  // ½·(−1) + ½·(½·1)
        {"C", false, Trait::Weight12, 17.5},  // ½·30 + ½·(½·10)
    };
    for (const Case& c : cases) {
        const QString name = QString::fromUtf8(c.animal);
        const int i = c.bull ? p.bull(name) : p.animal(name);
        ASSERT_NE(i, Pedigree::kUnknown) << c.animal;
        EXPECT_DOUBLE_EQ(level.value(i)[size_t(c.trait)], c.value) << c.animal << " " << int(c.trait);
    }
}

TEST(GeneticLevel, KnownAncestorsAreCountedByPlaceUpToTheGreatGrandparents)
{
    std::vector<Bull> bulls;
    const Pedigree p = levelPedigree(bulls);
    const CowLevel c = GeneticLevel(p, bulls).cowLevel(p.animal("C"));
    // Places: 100, D; 50, 200, M; 300 (great-grandsire through M). 50 lies two generations up.
    EXPECT_EQ(c.known, (std::array<int, kTraitCount>{2, 3, 2, 2, 2}));
    EXPECT_DOUBLE_EQ(c.value[size_t(Trait::Carcass)], 12.5);

    // A bull met in two places counts twice; the fourth generation is not counted.
    std::vector<HerdAnimal> herd = {herdAnimal("X", "100", "", "Y"), herdAnimal("Y", "100", "", "Z"),
                                    herdAnimal("Z", "", "", "W"), herdAnimal("W", "", "", "V"), herdAnimal("V", "200")};
    const Pedigree deep = Pedigree::build(herd, bulls);
    EXPECT_EQ(GeneticLevel(deep, bulls).cowLevel(deep.animal("X")).known[size_t(Trait::Carcass)], 4);  // 100 ×2, 50 ×2
    EXPECT_EQ(GeneticLevel(deep, bulls).cowLevel(Pedigree::kUnknown).known, (std::array<int, kTraitCount>{}));
}

TEST(GeneticLevel, ACalfIsTheMeanOfItsSireAndItsDamUnknownWhereTheSireIs)
{
    const Bull b = catalogueBull("100", "", "", ebvs({30, 20, kNone, -1, 1.0}));
    const TraitValues calf = calfValues(b, {10, 5, 4, 1, 0.5});
    EXPECT_EQ(calf, ebvs({20, 12.5, kNone, 0, 0.75}));
}

TEST(MatingIndex, TheSpreadIsThePopulationDeviationOfKnownValues)
{
    const std::vector<Bull> bulls = {catalogueBull("1", "", "", ebvs({0.1, 10, 5, kNone, kNone})),
                                     catalogueBull("2", "", "", ebvs({0.1, 20, kNone, kNone, 7})),
                                     catalogueBull("3", "", "", ebvs({0.1, 30, kNone, kNone, kNone}))};
    const auto s = traitSpreads(bulls);
    EXPECT_EQ(s[size_t(Trait::Weight12)], 0);  // alike values
    EXPECT_NEAR(s[size_t(Trait::Carcass)], std::sqrt(200.0 / 3), 1e-12);
    EXPECT_EQ(s[size_t(Trait::EyeMuscle)], 0);  // one value
    EXPECT_EQ(s[size_t(Trait::BackFat)], 0);    // none
    EXPECT_EQ(s[size_t(Trait::Marbling)], 0);
}

TEST(MatingIndex, WeightedStandardisedCalfValuesOrTheMissingTraitsNamed)
{
    const std::array<double, kTraitCount> spreads = {5, 10, 2, 0.5, 0};
    const MatingSettings defaults = defaultMatingSettings();
    MatingSettings growth = defaults;
    growth.weight(Trait::Weight12) = 2;
    growth.weight(Trait::Carcass) = 0;
    struct Case {
        const char* name;
        TraitValues calf;
        MatingSettings settings;
        std::optional<double> index;
        const char* reason;
    };
    const std::vector<Case> cases = {
        // 1·20/10 + 1·4/2 − 1·(−1)/0.5 + marbling without spread.
        {"every trait known", ebvs({50, 20, 4, -1, 3}), defaults, 6.0, ""},
        {"an unweighted trait unknown", ebvs({kNone, 20, 4, -1, 3}), defaults, 6.0, ""},
        {"a thicker back fat costs", ebvs({50, 20, 4, 1, 3}), defaults, 2.0, ""},
        {"a weighted trait unknown", ebvs({50, kNone, 4, -1, 3}), defaults, kNone, "도체중 육종가 없음"},
        {"two weighted traits unknown", ebvs({50, kNone, 4, -1, kNone}), defaults, kNone,
         "도체중 육종가 없음, 근내지방도 육종가 없음"},
        {"the farm's own weights", ebvs({50, kNone, 4, -1, 3}), growth, 2 * 50 / 5.0 + 2 + 2, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const IndexValue v = selectionIndex(c.calf, c.settings, spreads);
        ASSERT_EQ(v.index.has_value(), c.index.has_value());
        if (c.index) {
            EXPECT_DOUBLE_EQ(*v.index, *c.index);
        }
        EXPECT_EQ(v.reason, QString::fromUtf8(c.reason));
    }
}
