// Whether a service takes a straw the tank has no more of: only a counted straw of a bull with
// an account can be missing, and a record changed without changing its bull takes none anew.
#include "mating/model/SemenStock.h"

#include <gtest/gtest.h>

namespace {

// KPN1105 has run out, KPN950 has one straw left, KPN77 went below 0 (services typed after the
// last straw); each account opened on 2026-03-01.
std::map<QString, BullStock> tankOfThree()
{
    std::map<QString, BullStock> stock;
    const auto add = [&](const char* kpn, int received, int adjusted, int used) {
        BullStock& b = stock[QString::fromLatin1(kpn)];
        b.kpn = QString::fromLatin1(kpn);
        b.firstReceipt = QDate(2026, 3, 1);
        b.received = received;
        b.adjusted = adjusted;
        b.used = used;
    };
    add("1105", 10, 2, 8);
    add("950", 5, 0, 4);
    add("77", 2, 0, 3);
    return stock;
}

TEST(OutOfStraws, OnlyACountedStrawOfAnEmptyAccountIsMissing)
{
    const std::map<QString, BullStock> stock = tankOfThree();
    const QDate day(2026, 5, 2);
    struct Case {
        const char* what;
        StrawService service;
        const char* expected;
    };
    const Case cases[] = {
        {"none left", {QStringLiteral("KPN1105"), day, false, {}}, "1105"},
        {"typed as digits", {QStringLiteral("1105"), day, false, {}}, "1105"},
        {"typed with a dash", {QStringLiteral("kpn-1105"), day, false, {}}, "1105"},
        {"below zero", {QStringLiteral("KPN77"), day, false, {}}, "77"},
        {"on the first receipt's day", {QStringLiteral("1105"), QDate(2026, 3, 1), false, {}}, "1105"},
        {"one straw left", {QStringLiteral("KPN950"), day, false, {}}, ""},
        {"no receipt: stock unknown", {QStringLiteral("KPN3000"), day, false, {}}, ""},
        {"no KPN number", {QStringLiteral("한우 정액"), day, false, {}}, ""},
        {"nothing typed", {QString(), day, false, {}}, ""},
        {"an embryo transfer takes no straw", {QStringLiteral("1105"), day, true, {}}, ""},
        {"before the first receipt: not counted", {QStringLiteral("1105"), QDate(2026, 2, 28), false, {}}, ""},
        {"no day", {QStringLiteral("1105"), QDate(), false, {}}, ""},
        {"changed to an empty bull", {QStringLiteral("1105"), day, false, QStringLiteral("950")}, "1105"},
        {"changed, same bull typed otherwise", {QStringLiteral("KPN1105"), day, false, QStringLiteral("1105")}, ""},
        {"changed from a number that is no KPN", {QStringLiteral("1105"), day, false, QStringLiteral("모름")}, "1105"},
    };
    for (const Case& c : cases) EXPECT_EQ(bullOutOfStraws(stock, c.service), QString::fromUtf8(c.expected)) << c.what;
    EXPECT_EQ(bullOutOfStraws({}, {QStringLiteral("1105"), day, false, {}}), QString()) << "an empty tank book";
}

TEST(OutOfStraws, TheNoticeNamesTheBullAsTheWindowsShowIt)
{
    EXPECT_EQ(outOfStrawsTitle(), QStringLiteral("정액 재고"));
    EXPECT_EQ(outOfStrawsMessage(QStringLiteral("1105")),
              QStringLiteral("정액 재고에 KPN1105 정액이 남아 있지 않습니다. 입고나 재고 조정을 확인해 주세요."));
}

}  // namespace
