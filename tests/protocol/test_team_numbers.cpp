#include "protocol/configuration.h"
#include "protocol/team_numbers.h"

#include <QTest>
#include <set>
#include <utility>

using namespace orv52;

class TestTeamNumbers : public QObject {
    Q_OBJECT

private slots:
    // Fifteen team numbers on fifteen distinct bits, each read back as its own number; the
    // high mask's bit 7 is left to no team.
    void eachTeamHasItsOwnBit() {
        std::set<std::pair<teams::Mask, int>> seen;
        for (int team = teams::kLowest; team <= teams::kHighest; ++team) {
            const auto [mask, bit] = teams::bitOf(team);
            QVERIFY(bit >= 0 && bit < teams::count(mask));
            QVERIFY(seen.insert({mask, bit}).second);
            QCOMPARE(teams::team(mask, bit), team);
        }
        QCOMPARE(teams::count(teams::Mask::Low) + teams::count(teams::Mask::High), 15);
        QCOMPARE(teams::teamBits(teams::Mask::Low), std::uint8_t{0xFF});
        QCOMPARE(teams::teamBits(teams::Mask::High), std::uint8_t{0x7F});
    }

    void configurationServesTeamsByTheirBits() {
        Configuration settings;
        for (const int team : {1, 8, 9, 15})
            settings.serveTeam(team);
        QCOMPARE(settings.teamMaskLow, std::uint8_t{0x81});
        QCOMPARE(settings.teamMaskHigh, std::uint8_t{0x41});
        for (int team = teams::kLowest; team <= teams::kHighest; ++team)
            QCOMPARE(settings.servesTeam(team), team == 1 || team == 8 || team == 9 || team == 15);

        for (int team = teams::kLowest; team <= teams::kHighest; ++team)
            settings.serveTeam(team);
        QCOMPARE(settings.teamMaskLow, std::uint8_t{0xFF});
        QCOMPARE(settings.teamMaskHigh, std::uint8_t{0x7F});
    }

    void withBitChangesOnlyItsBit() {
        QCOMPARE(teams::withBit(0x81, 0, false), std::uint8_t{0x80});
        QCOMPARE(teams::withBit(0x80, 6, true), std::uint8_t{0xC0});
        QCOMPARE(teams::withBit(0x41, 6, true), std::uint8_t{0x41});
    }
};

QTEST_APPLESS_MAIN(TestTeamNumbers)
#include "test_team_numbers.moc"
