#include <gtest/gtest.h>

#include "ReducedSMBIOSParser.h"
#include "SMBIOSParser.h"
#include "SmbiosTestTable.h"

namespace {

CSMBIOSParser Parsed(const SmbiosTestTable& table)
{
    CSMBIOSParser parser;
    parser.Parse(table.Size(), table.Data());
    return parser;
}

std::vector<uint16_t> TokenIds(const CSMBIOSParser& parser)
{
    std::vector<uint16_t> ids;
    for (const Token& t : parser.Tokens()) ids.push_back(t.identifier);
    return ids;
}

} // namespace

TEST(SMBIOSParserMaker, CorvaneBiosAndSystemTakeTheIdFromType208)
{
    SmbiosTestTable table;
    table.CorvaneMachine(0x0271).OemStrings({"Corvane System", "1[0199]"}).Capabilities(0x1E, 2, 3, 4);
    const CSMBIOSParser p = Parsed(table);
    EXPECT_EQ(p.IsMakerBios(), 1);
    EXPECT_EQ(p.IsMakerSystem(), 1);
    EXPECT_EQ(p.SystemId(), 0x0271);
    EXPECT_EQ(p.CapabilityWord(0), 0x1E);
    EXPECT_EQ(p.CapabilityWord(3), 4);
    EXPECT_EQ(p.CapabilityWord(4), 0);
    EXPECT_EQ(p.CapabilityWord(-1), 0);
}

TEST(SMBIOSParserMaker, CorvaneSystemWithOtherBiosTakesTheIdFromTheOemString)
{
    SmbiosTestTable table;
    table.Bios("Quillet Firmware Inc.").System("Corvane Inc.").SystemIdByte(0x44);
    table.OemStrings({"first", "note", "1[0271]", "1[0300]"});
    const CSMBIOSParser p = Parsed(table);
    EXPECT_EQ(p.IsMakerSystem(), 1);
    EXPECT_EQ(p.IsMakerBios(), 0);
    EXPECT_EQ(p.SystemId(), 0x0271);
}

TEST(SMBIOSParserMaker, OemIdIsZeroWhenOnlyTheFirstOemStringCarriesIt)
{
    SmbiosTestTable table;
    table.Bios("Quillet Firmware Inc.").System("Corvane Inc.").OemStrings({"1[0271]", "other"});
    EXPECT_EQ(Parsed(table).SystemId(), 0);
}

TEST(SMBIOSParserMaker, OemIdHexStopsAtTheFirstOtherCharacter)
{
    SmbiosTestTable table;
    table.System("Corvane Inc.").OemStrings({"x", "1[aBz9]"});
    EXPECT_EQ(Parsed(table).SystemId(), 0xAB);
}

TEST(SMBIOSParserMaker, OemIdIsSearchedOnlyWithinTheStatedCount)
{
    SmbiosTestTable table;
    table.System("Corvane Inc.").Add(11, {2}, {"x", "y", "1[0271]"});
    EXPECT_EQ(Parsed(table).SystemId(), 0);
}

TEST(SMBIOSParserMaker, FirstOemStringAloneMakesAMakerSystem)
{
    SmbiosTestTable table;
    table.System("Halvorn Systems").OemStrings({"Corvane System Board", "1[01F7]"});
    const CSMBIOSParser p = Parsed(table);
    EXPECT_EQ(p.IsMakerSystem(), 1);
    EXPECT_EQ(p.SystemId(), 0x01F7);
}

TEST(SMBIOSParserMaker, PrefixesNeedTheBlankAndTheExactCase)
{
    SmbiosTestTable table;
    table.Bios("Corvane").System("corvane Inc.").OemStrings({"Corvane Sys"}).SystemIdByte(9);
    table.Tokens({{0x0188, 1, 2}}).Capabilities(7, 7, 7, 7);
    const CSMBIOSParser p = Parsed(table);
    EXPECT_EQ(p.IsMakerBios(), 0);
    EXPECT_EQ(p.IsMakerSystem(), 0);
    // Another maker's machine keeps nothing.
    EXPECT_EQ(p.SystemId(), 0);
    EXPECT_TRUE(p.Tokens().empty());
    EXPECT_EQ(p.CapabilityWord(0), 0);
}

TEST(SMBIOSParserMaker, MakerBiosWithoutType208HasIdZero)
{
    SmbiosTestTable table;
    table.Bios("Corvane Computer Corporation").OemStrings({"a", "1[0271]"});
    EXPECT_EQ(Parsed(table).SystemId(), 0);
}

TEST(SMBIOSParserMaker, Type208ByteFormAndLaterStructuresOverwrite)
{
    SmbiosTestTable table;
    table.Bios("Corvane X").SystemIdWord(0x1234).SystemIdByte(0x3C);
    table.Capabilities(1, 1, 1, 1).Capabilities(2, 0, 0, 0);
    const CSMBIOSParser p = Parsed(table);
    EXPECT_EQ(p.SystemId(), 0x3C);
    EXPECT_EQ(p.CapabilityWord(0), 2);
    EXPECT_EQ(p.CapabilityWord(1), 0);
}

TEST(SMBIOSParserTokens, KeptIdentifiersEnterInTheirOwnOrderFirstEntryWins)
{
    SmbiosTestTable table;
    table.CorvaneMachine().Tokens(
        {{0x0180, 1, 10}, {0x0999, 2, 20}, {0x007D, 3, 30}, {0x0188, 4, 40}, {0x007D, 5, 50}});
    const CSMBIOSParser p = Parsed(table);
    EXPECT_EQ(TokenIds(p), (std::vector<uint16_t>{0x0188, 0x007D, 0x0180}));
    const Token* brightness = p.FindToken(0x007D);
    ASSERT_NE(brightness, nullptr);
    EXPECT_EQ(brightness->location, 3);
    EXPECT_EQ(brightness->value, 30);
    EXPECT_EQ(p.FindToken(0x0999), nullptr);
    EXPECT_EQ(p.FindToken(0x0152), nullptr);
}

TEST(SMBIOSParserTokens, EntriesAfterTheEndMarkerAreNotRead)
{
    SmbiosTestTable table;
    table.CorvaneMachine().Tokens({{0x0152, 1, 1}, {0xFFFF, 0, 0}, {0x017C, 2, 2}}, false);
    EXPECT_EQ(TokenIds(Parsed(table)), (std::vector<uint16_t>{0x0152}));
}

TEST(SMBIOSParserTokens, UnterminatedTableEndsWithItsFormattedArea)
{
    SmbiosTestTable table;
    table.CorvaneMachine().Tokens({{0x017E, 1, 1}}, false);
    // The strings that follow look like a kept entry; they must not be read as one.
    table.Bytes().pop_back();
    table.Bytes().pop_back();
    for (uint8_t b : {0x7C, 0x01, 0x09, 0x00, 0x01, 0x00, 0x00, 0x00}) table.Bytes().push_back(b);
    EXPECT_EQ(TokenIds(Parsed(table)), (std::vector<uint16_t>{0x017E}));
}

TEST(SMBIOSParserTokens, TablesOfSeveralStructuresAppend)
{
    SmbiosTestTable table;
    table.CorvaneMachine().Tokens({{0x017D, 1, 1}}).Tokens({{0x0188, 2, 2}});
    EXPECT_EQ(TokenIds(Parsed(table)), (std::vector<uint16_t>{0x017D, 0x0188}));
}

TEST(SMBIOSParserWalk, StringNumbersBeyondThoseStoredGiveEmptyText)
{
    SmbiosTestTable table;
    table.Add(0, {3, 0, 0, 0, 0}, {"Corvane Computer Corporation"});
    EXPECT_EQ(Parsed(table).IsMakerBios(), 0);
}

TEST(SMBIOSParserWalk, MissingDoubleNulContinuesAtTheNextOne)
{
    SmbiosTestTable table;
    table.Add(0x80, {1, 2, 3}, {"junk"});
    table.Bytes().pop_back(); // the string set now runs into the next structure
    table.System("Corvane Inc.").OemStrings({"a", "1[0042]"});
    // The walk resumes after the first double NUL it finds (the end of the
    // system structure's strings), so only the OEM strings are seen.
    const CSMBIOSParser p = Parsed(table);
    EXPECT_EQ(p.IsMakerSystem(), 0);
}

TEST(SMBIOSParserWalk, NeverReadsPastTheGivenLength)
{
    SmbiosTestTable table;
    table.CorvaneMachine(0x0271).Tokens({{0x0188, 1, 1}});
    // Every prefix of the table parses without reading beyond it (a copy of
    // exactly that many bytes lets a checked build catch any overread).
    for (size_t length = 0; length <= table.Size(); ++length) {
        std::vector<uint8_t> prefix(table.Data(), table.Data() + length);
        CSMBIOSParser p;
        p.Parse(prefix.size(), prefix.data());
        if (length < table.Size()) {
            EXPECT_TRUE(p.Tokens().empty()) << "length " << length;
        }
    }
    EXPECT_EQ(Parsed(table).Tokens().size(), 1u);
}

TEST(SMBIOSParserWalk, StructureRunningPastTheEndStopsTheWalk)
{
    SmbiosTestTable table;
    table.System("Corvane Inc.");
    table.Bytes().insert(table.Bytes().end(), {208, 0x40, 0, 0, 0, 0, 0x55});
    const CSMBIOSParser p = Parsed(table);
    EXPECT_EQ(p.IsMakerSystem(), 1);
    EXPECT_EQ(p.SystemId(), 0);
}

TEST(SMBIOSParserWalk, FormattedLengthBelowTheHeaderStopsTheWalk)
{
    SmbiosTestTable table;
    table.Bytes() = {1, 2, 0, 0, 0, 0};
    table.System("Corvane Inc.");
    EXPECT_EQ(Parsed(table).IsMakerSystem(), 0);
}

TEST(SMBIOSParserWalk, ShortStructuresReadMissingFieldsAsZero)
{
    SmbiosTestTable table;
    table.Bios("Corvane Computer Corporation").Add(208, {0, 0, 0xFE, 0, 0x34});
    table.Add(177, {0xFF, 0xFF, 0x01});
    const CSMBIOSParser p = Parsed(table);
    EXPECT_EQ(p.SystemId(), 0);
    EXPECT_EQ(p.CapabilityWord(0), 0xFFFF);
    EXPECT_EQ(p.CapabilityWord(1), 0);
}

TEST(SMBIOSParserWalk, NullOrEmptyTableKeepsEmptyResults)
{
    CSMBIOSParser p;
    p.Parse(100, nullptr);
    p.Parse(0, reinterpret_cast<const uint8_t*>("x"));
    EXPECT_EQ(p.IsMakerSystem(), 0);
    EXPECT_EQ(p.SystemId(), 0);
}

TEST(ReducedSMBIOSParser, KeepsIdAndWordsWithoutAnyMakerTest)
{
    SmbiosTestTable table;
    table.Bios("Halvorn Systems").SystemIdWord(503).Capabilities(9, 8, 7, 6).Tokens({{0x0188, 1, 1}});
    CReducedSMBIOSParser p;
    p.Parse(table.Size(), table.Data());
    EXPECT_EQ(p.SystemId(), 503);
    EXPECT_EQ(p.CapabilityWord(0), 9);
    EXPECT_EQ(p.CapabilityWord(3), 6);
    EXPECT_EQ(p.CapabilityWord(4), 0);
}

TEST(ReducedSMBIOSParser, StopsAtTheGivenLength)
{
    SmbiosTestTable table;
    table.Capabilities(1, 2, 3, 4).SystemIdByte(0x21);
    CReducedSMBIOSParser p;
    p.Parse(table.Size() - 1, table.Data());
    EXPECT_EQ(p.CapabilityWord(1), 2);
    EXPECT_EQ(p.SystemId(), 0);
}
