#include <gtest/gtest.h>

#include "DiskUtils.h"
#include "FakeLayer.h"

using namespace DiskUtils;

namespace {

class CapacityTest : public ::testing::Test {
protected:
    void SetUp() override { ResetOptionState(); }
    void TearDown() override { ResetOptionState(); }

    platform::ScopedFakeLayer fake;
};

constexpr std::uint8_t C = 3;
constexpr std::uint8_t D = 4;
constexpr std::uint8_t E = 5;

TEST_F(CapacityTest, capacityIn_mega1000_roundsTiesInFourthDecimalToEven) {
    struct Case {
        std::int64_t bytes;
        std::int64_t stored;
    };
    for (const Case c :
         {Case{50, 0}, {150, 2}, {250, 2}, {350, 4}, {1550, 16}, {1'000'000, 10000}}) {
        fake->AddDrive('C', c.bytes, 0);
        EXPECT_EQ(CapacityIn(C, suMega, ckTotal).Stored, c.stored) << c.bytes << " bytes";
    }
}

TEST_F(CapacityTest, convertToUnit_dividesFirst_soTiesCanLandOneLower) {
    EXPECT_EQ(ConvertToUnit(suMega, 1550).Stored, 15);
    fake->AddDrive('C', 1550, 0);
    EXPECT_EQ(CapacityIn(C, suMega, ckTotal).Stored, 16);
}

TEST_F(CapacityTest, convertToUnit_coversEveryUnitAndBothDivisorSets) {
    EXPECT_EQ(ConvertToUnit(suByte, 1234).Stored, 12'340'000);
    EXPECT_EQ(ConvertToUnit(suGiga, 1'073'741'824).Stored, 10'737);
    EXPECT_EQ(ConvertToUnit(suTera, 250'059'350'016).Stored, 2'501);
    EXPECT_EQ(ConvertToUnit(static_cast<SizeUnit>(5), 1'000'000).Stored, 0);
    EXPECT_EQ(ConvertToUnit(suGiga, -1).Stored, 0);
    SetUnitDivisors(UnitDivisors1024);
    EXPECT_EQ(ConvertToUnit(suGiga, 1'073'741'824).Stored, 10'000);
    EXPECT_EQ(ConvertToUnit(suKilo, 1536).Stored, 15'000);
    EXPECT_EQ(ConvertToUnit(suGiga, -1).Stored, 0);
}

TEST_F(CapacityTest, byteUnit_carriesTheLargestRepresentableCountAndSaturatesBeyond) {
    constexpr std::int64_t kLargest = 922'337'203'685'477;
    EXPECT_EQ(ConvertToUnit(suByte, kLargest).Stored, kLargest * 10000);
    fake->AddDrive('C', kLargest, 0);
    EXPECT_EQ(CapacityIn(C, suByte, ckTotal).Stored, kLargest * 10000);
    EXPECT_EQ(ConvertToUnit(suByte, kLargest + 1).Stored, std::numeric_limits<std::int64_t>::max());
    EXPECT_EQ(ConvertToUnit(suByte, -kLargest - 1).Stored,
              std::numeric_limits<std::int64_t>::min());
}

TEST_F(CapacityTest, capacitySum_saturatesInsteadOfWrapping) {
    Capacity sum{std::numeric_limits<std::int64_t>::max() - 5};
    sum += Capacity{10};
    EXPECT_EQ(sum.Stored, std::numeric_limits<std::int64_t>::max());
    Capacity low{std::numeric_limits<std::int64_t>::min() + 5};
    low += Capacity{-10};
    EXPECT_EQ(low.Stored, std::numeric_limits<std::int64_t>::min());
}

TEST_F(CapacityTest, silentDrive_givesMinusOneAndEmptyText_afterOneQuery) {
    for (SizeUnit unit : {suByte, suKilo, suMega, suGiga, suTera}) {
        for (CapacityKind kind : {ckTotal, ckFree, ckUsed}) {
            EXPECT_EQ(CapacityIn(D, unit, kind), kNoAnswer);
            EXPECT_EQ(FormatCapacity(D, unit, kind, 2), "");
        }
    }
    fake->resetCounts();
    CapacityIn(D, suGiga, ckUsed);
    EXPECT_EQ(fake->counts().space, 1);
}

TEST_F(CapacityTest, spaceQueries_areTwoForTotalOrFreeThreeForUsedAndOneMoreToFormat) {
    fake->AddDrive('C', 1000, 400);
    struct Case {
        CapacityKind kind;
        int capacityIn;
        int format;
    };
    for (const Case c : {Case{ckTotal, 2, 3}, {ckFree, 2, 3}, {ckUsed, 3, 4}}) {
        fake->resetCounts();
        CapacityIn(C, suKilo, c.kind);
        EXPECT_EQ(fake->counts().space, c.capacityIn) << int(c.kind);
        fake->resetCounts();
        FormatCapacity(C, suKilo, c.kind, 2);
        EXPECT_EQ(fake->counts().space, c.format) << int(c.kind);
    }
}

TEST_F(CapacityTest, failedFreeQuery_entersAsMinusOneByte) {
    fake->AddDrive('C', 5000, 1000);
    fake->drive('C').failingSpaceQueries = {3};  // size probe, size, then the free query
    EXPECT_EQ(CapacityIn(C, suByte, ckUsed).Stored, 5001 * 10000);
    fake->resetCounts();
    fake->drive('C').failingSpaceQueries = {2};  // size probe, then the free query
    EXPECT_EQ(CapacityIn(C, suByte, ckFree).Stored, -10000);
}

TEST_F(CapacityTest, unknownKind_givesZeroAfterTheProbe) {
    fake->AddDrive('C', 5000, 1000);
    EXPECT_EQ(CapacityIn(C, suByte, static_cast<CapacityKind>(3)).Stored, 0);
}

TEST_F(CapacityTest, formatCapacity_roundsToTheUnitAndNamesItInDecimalAndBinarySystems) {
    fake->AddDrive('C', 250'059'350'016, 0);
    fake->AddDrive('D', 1'073'741'824, 0);
    fake->AddDrive('E', 1'234'567, 0);
    EXPECT_EQ(FormatCapacity(C, suGiga, ckTotal, 2), "250.06 Go");
    EXPECT_EQ(FormatCapacity(C, suMega, ckTotal, 2), "250,059.35 Mo");
    EXPECT_EQ(FormatCapacity(C, suTera, ckTotal, 2), "0.25 To");
    EXPECT_EQ(FormatCapacity(C, suByte, ckTotal, 2), "250,059,350,016 Octets");
    EXPECT_EQ(FormatCapacity(E, suByte, ckTotal, 3), "1,234,567 Octets");
    EXPECT_EQ(FormatCapacity(D, suGiga, ckTotal, 2), "1.07 Go");
    SetUnitDivisors(UnitDivisors1024);
    SetUnitNames(ByteUnitNames);
    EXPECT_EQ(FormatCapacity(C, suGiga, ckTotal, 2), "232.89 GB");
    EXPECT_EQ(FormatCapacity(D, suMega, ckTotal, 2), "1,024.00 MB");
    EXPECT_EQ(FormatCapacity(D, suGiga, ckTotal, 2), "1.00 GB");
    EXPECT_EQ(FormatCapacity(C, suByte, ckTotal, 2), "250,059,350,016 Bytes");
}

TEST_F(CapacityTest, formatCapacity_usedAndFreeKinds) {
    fake->AddDrive('C', 3'000'000, 1'000'000);
    EXPECT_EQ(FormatCapacity(C, suMega, ckFree, 2), "1.00 Mo");
    EXPECT_EQ(FormatCapacity(C, suMega, ckUsed, 2), "2.00 Mo");
    EXPECT_EQ(FormatCapacity(C, suKilo, ckUsed, 0), "2,000 Ko");
}

TEST_F(CapacityTest, setUnitNames_cutsWordsToEightCharacters) {
    SetUnitNames(UnitNameSet{{"Bytesbytesbytes", "Kilooctet", "Мегабайти", "G", ""}});
    EXPECT_EQ(UnitNames[0], "Bytesbyt");
    EXPECT_EQ(UnitNames[1], "Kiloocte");
    EXPECT_EQ(UnitNames[2], "Мегабайт");
    EXPECT_EQ(UnitNames[3], "G");
    EXPECT_EQ(UnitNames[4], "");
}

TEST_F(CapacityTest, setUnitDivisors_keepsLow32BitsBelowTera) {
    SetUnitDivisors(DivisorSet{(std::int64_t{1} << 32) + 10, 20, 30, std::int64_t{1} << 40});
    EXPECT_EQ(UnitDivisors.Kilo, 10);
    EXPECT_EQ(UnitDivisors.Tera, std::int64_t{1} << 40);
    EXPECT_EQ(ConvertToUnit(suKilo, 25).Stored, 25'000);
}

TEST_F(CapacityTest, zeroDivisor_givesZeroInsteadOfDividingByZero) {
    SetUnitDivisors(DivisorSet{0, 0, 0, 0});
    fake->AddDrive('C', 1000, 0);
    EXPECT_EQ(ConvertToUnit(suKilo, 1000).Stored, 0);
    EXPECT_EQ(CapacityIn(C, suTera, ckTotal).Stored, 0);
}

TEST_F(CapacityTest, percentOf_guardsOnlyTheZeroWholes) {
    EXPECT_EQ(PercentOf(0, 100, 0), 0.0f);
    EXPECT_EQ(PercentOf(5, 0, 0), 0.0f);
    EXPECT_EQ(PercentOf(25, 0, 200), 12.5f);
    EXPECT_EQ(PercentOf(50, 200, 0), 25.0f);
    EXPECT_EQ(PercentOf(1, 3, 0), 33.333332f);
}

}  // namespace
