#include "mating/model/Kpn.h"

#include <gtest/gtest.h>

TEST(Kpn, EveryWayAFarmerWritesABullIsItsDigits)
{
    struct Case {
        const char* typed;
        const char* digits;  // "" = refused
    };
    const Case cases[] = {
        {"KPN1105", "1105"},  {"KPN-1105", "1105"}, {"kpn 1105", "1105"}, {"1105", "1105"}, {"  Kpn1105 ", "1105"},
        {"KPN 0950", "0950"}, {"950", "950"},       {"123456", "123456"}, {"", ""},         {"KPN", ""},
        {"KPN-", ""},         {"KPN--1105", ""},    {"KPN1105A", ""},     {"11 05", ""},    {"1234567", ""},
        {"KPM1105", ""},      {"-1105", ""},        {"１１０５", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(kpn::digitsOf(QString::fromUtf8(c.typed)), QString::fromUtf8(c.digits)) << c.typed;
    EXPECT_EQ(kpn::shown(QStringLiteral("1105")), QStringLiteral("KPN1105"));
    EXPECT_EQ(kpn::shown(QString()), QString());
}
