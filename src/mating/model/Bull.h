#pragma once
// A bull of the catalogue (씨수소) and the five traits its breeding values are given for.
#include <QString>
#include <QStringList>
#include <array>
#include <optional>
#include <vector>

// The traits of a breeding value, in the catalogue's column order.
enum class Trait { Weight12 = 0, Carcass, EyeMuscle, BackFat, Marbling };
inline constexpr int kTraitCount = 5;
inline constexpr std::array<Trait, kTraitCount> kTraits = {Trait::Weight12, Trait::Carcass, Trait::EyeMuscle,
                                                           Trait::BackFat, Trait::Marbling};

// The column of 씨수소 that holds the trait ("도체중").
QString traitColumn(Trait t);
// The trait with its unit, for headers and fields ("도체중(kg)").
QString traitCaption(Trait t);

// A bull's expected breeding values; an empty value is unknown (never 0).
using TraitValues = std::array<std::optional<double>, kTraitCount>;

struct Bull {
    QString kpn;   // digits ("1105")
    QString kind;  // 보증, 후보 or 기타
    QString sire;  // the sire's KPN digits, "" unknown (아비)
    QString mgs;   // the maternal grandsire's KPN digits, "" unknown (외조부)
    TraitValues ebv;
    QString evaluation;           // "2026-08", "" unknown
    std::optional<qint64> price;  // won per straw, unknown when empty

    std::optional<double> value(Trait t) const { return ebv[size_t(t)]; }
};

// The kinds a catalogue bull may be of.
QStringList bullKinds();

// Every bull of the catalogue on the open farm (gConn), by KPN number (as numbers: 950 before
// 1105). Throws DbError.
std::vector<Bull> loadBulls();
