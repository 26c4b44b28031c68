// Point reference translation: worked examples of every kind of reference,
// the problem texts and the edge cases of the decoding.
#include "support/TestProject.h"

#include "translate/PointTranslator.h"
#include "sample/IbexDisplayBuilder.h"

#include <gtest/gtest.h>

using namespace vorlix;

namespace {

uint32_t ref(uint8_t code, uint32_t value) { return (uint32_t(code) << 16) | value; }

// Apex 1 with BaseAddr1 1200 and GlobalPts 1100; control panel 7 of Apex 1
// on trunk 1, address 4; point 12 is an AI; AddRelDefToBO set.
class Translation : public ::testing::Test {
protected:
    void SetUp() override
    {
        p.mapApex(1, u"1"_qs, 1100, 1200);
        p.addCpanel(1, 20, 7, 1, 4);
        p.addIbexPoint(1, 12, 2);
        p.vars.addRelDefToBO = true;
        p.vars.cpanelPlaceHolder = u"AV-999"_qs;
    }
    PointInputs in(uint32_t r, int apex = 1, int cp = 7) const { return {apex, cp, r}; }
    // The BACtalk text of a translation; its problem goes to `problem`.
    QString bt(const PointInputs &i, bool templateContext)
    {
        const BtPoint r = t.btPointText(i, templateContext);
        problem = r.problem;
        return r.text;
    }

    test::TestProject p;
    PointTranslator t{p.vars, p.map};
    QString problem;
};

struct Example {
    uint8_t code;
    uint32_t value;
    const char *ibex;
    const char *bt;
    const char *problem;
};

} // namespace

TEST_F(Translation, WorkedExamples)
{
    const Example examples[] = {
        {0xC0, 0x645, "Tux-1-3-DO-6", "1203:BO-6-P104", ""},
        {0x50, 0x605, "PTux-1-3-Rate6", "1203:AI-16", ""},
        {0x50, 0x705, "PTux-1-3-Cnt6", "1203:AI-26-P104", ""},
        {0x20, 0x84, "CP-7: ZT-AI-5", "1204:AI-5", ""},
        {0x22, 0x2, "CP-7: ZG-Cooldn,ZG Cooldown", "1204:AV-999", "Zone Generic"},
        {0xD0, 0xC, "IB-12", "1100:AV-12", ""},
        {0x10, 0xC, "GL-12", "AV-999", "Global Pt"},
    };
    for (const Example &e : examples) {
        SCOPED_TRACE(e.ibex);
        EXPECT_EQ(t.ibexPointText(in(ref(e.code, e.value)), false), QLatin1String(e.ibex));
        EXPECT_EQ(bt(in(ref(e.code, e.value)), false), QLatin1String(e.bt));
                EXPECT_EQ(problem, QLatin1String(e.problem));
    }
}

TEST_F(Translation, ZoneForms)
{
    // Custom zone: bit 16 set, number = bits 0..15 + 1.
    EXPECT_EQ(t.ibexPointText(in(ref(0x20, 0x100FF)), false), u"CP-7: ZC-256"_qs);
    EXPECT_EQ(bt(in(ref(0x20, 0x100FF)), false), u"1204:AV-999"_qs);
    EXPECT_EQ(problem, u"Zone Custom"_qs);
    // Tux offset 1: no BACtalk text.
    EXPECT_EQ(t.ibexPointText(in(ref(0x20, (1 << 9) | (3 << 6) | 4)), false), u"CP-7: ZT-1-AO-5"_qs);
    EXPECT_EQ(bt(in(ref(0x20, (1 << 9) | (3 << 6) | 4)), false), QString());
    EXPECT_EQ(problem, u"Zone Tux Offset not supported!"_qs);
    // A DO zone point gets -P104.
    EXPECT_EQ(bt(in(ref(0x20, (1 << 6) | 2), 1, 7), false), u"1204:BO-3-P104"_qs);
    // Generic zone names: index 22 and 40 render as numbers.
    EXPECT_EQ(t.ibexPointText(in(ref(0x22, 22)), false), u"CP-7: ZG-23"_qs);
    EXPECT_EQ(t.ibexPointText(in(ref(0x22, 40)), false), u"CP-7: ZG-41"_qs);
    EXPECT_EQ(t.ibexPointText(in(ref(0x22, 31)), false), u"CP-7: ZG-SA Sensor Alm"_qs);
}

TEST_F(Translation, UnmappedControlPanelReplacesTheProblem)
{
    EXPECT_EQ(bt(in(ref(0x20, 0x84), 1, 9), false), u"4194304:AI-5"_qs);
    EXPECT_EQ(problem, u"CPanel# cannot be mapped. "_qs);
    EXPECT_EQ(bt(in(ref(0x22, 2), 1, 9), false), u"4194304:AV-999"_qs);
    EXPECT_EQ(problem, u"CPanel# cannot be mapped. "_qs);
    // A control panel of an Apex without ApexMap row (the rows stop at 31).
    p.addCpanel(40, 20, 7, 1, 4);
    EXPECT_EQ(bt(in(ref(0x20, 0x84), 40, 7), false), u"4194304:AI-5"_qs);
    EXPECT_FALSE(problem.isEmpty());
}

TEST_F(Translation, TemplateContextHasNoPrefixes)
{
    EXPECT_EQ(t.ibexPointText(in(ref(0x20, 0x84), 1, 9), true), u"ZT-AI-5"_qs);
    EXPECT_EQ(bt(in(ref(0x20, 0x84), 1, 9), true), u"AI-5"_qs);
    EXPECT_TRUE(problem.isEmpty()); // the control panel is not consulted
    EXPECT_EQ(bt(in(ref(0x22, 2), 1, 9), true), u"AV-999"_qs);
    EXPECT_EQ(problem, u"Zone Generic"_qs);
}

TEST_F(Translation, UnmappedApexesAndPointTypes)
{
    for (uint32_t r : {ref(0xC0, 0x645), ref(0x50, 0x605), ref(0xD0, 12)}) {
        EXPECT_EQ(bt(in(r, 40), false), u"AV-999"_qs);
        EXPECT_EQ(problem, u"Apex not mapped to device."_qs);
    }
    // A trunk outside 1..4 is not mapped either.
    EXPECT_EQ(t.tuxDevice(1, 5, 3), NotMapped);
    // A row with empty fields is mapped: its base reads as 0.
    EXPECT_EQ(bt(in(ref(0x50, 0x605), 6), false), u"3:AI-16"_qs);
    // No IbexPtMap row, and a type outside 1..4.
    EXPECT_EQ(bt(in(ref(0xD0, 13)), false), u"1100:AV-999"_qs);
    EXPECT_EQ(problem, u"Ibex point type unassigned."_qs);
    p.addIbexPoint(1, 14, 7);
    EXPECT_EQ(bt(in(ref(0xD0, 14)), false), u"1100:AV-999"_qs);
    EXPECT_EQ(problem, u"Ibex point type unassigned."_qs);
    p.addIbexPoint(1, 15, 3);
    EXPECT_EQ(bt(in(ref(0xD0, 15)), false), u"1100:BV-15"_qs);
    // The value keeps bit 16; the type is looked up with the low 16 bits.
    p.addIbexPoint(1, 1, 1);
    EXPECT_EQ(bt(in(ref(0xD0, 0x10001)), false), u"1100:BV-65537"_qs);
    // A good translation has no problem.
    EXPECT_TRUE(problem.isEmpty());
}

TEST_F(Translation, EmptyBaseAddressAndNoRelinquishDefault)
{
    // Trunk 3 in ComList without a base: the device is the address alone.
    p.exec(u"UPDATE ApexMap SET ComList = '13', BaseAddr3 = NULL WHERE Apex = 1"_qs);
    EXPECT_EQ(bt(in(ref(0xC0, (2u << 15) | (3 << 9) | (1 << 6) | 5)), false), u"3:BO-6-P104"_qs);
    p.vars.addRelDefToBO = false;
    EXPECT_EQ(bt(in(ref(0xC0, 0x645)), false), u"1203:BO-6"_qs);
    EXPECT_EQ(bt(in(ref(0x50, 0x705)), false), u"1203:AI-26"_qs);
}

TEST(PointRef, SplitAndDecode)
{
    // Bits 16..23 = 0x51: code 0x50, value 0x10000 (trunk 3 of a pulse point).
    const SplitRef s = splitPointRef(0x510000);
    EXPECT_EQ(s.code, 0x50);
    EXPECT_EQ(s.value, 0x10000u);
    EXPECT_EQ(decodePTuxRef(s.value).trunk, 3);
    EXPECT_EQ(splitPointRef(0xFFD0000C).code, 0xD0); // bits 24..31 are not used
    const TuxAddress b = decodeTuxButtonRef((3u << 15) | (63u << 9));
    EXPECT_EQ(b.trunk, 4);
    EXPECT_EQ(b.address, 63);
    const ZoneRef z = decodeZoneRef((7u << 9) | (2u << 6) | 63);
    EXPECT_FALSE(z.custom);
    EXPECT_EQ(z.tuxOffset, 7);
    EXPECT_EQ(z.type, 2);
    EXPECT_EQ(z.number, 64);
    EXPECT_EQ(ibexPtObjectName(0), QString());
    EXPECT_EQ(ibexPtObjectName(4), u"AV"_qs);
    EXPECT_EQ(ibexPtObjectName(5), QString());
}

TEST_F(Translation, RecordsAndAirflowForms)
{
    sample::IbexDisplayBuilder b;
    b.add(ioRoAnalog).point(1, ref(0xD0, 12), 3);
    b.add(ioAirflow).point(4, 0, 9).airflowPoint(1, ref(0xC0, 0x645), 7).length(120);
    const IbexDisplay d = IbexDisplay::fromBytes(b.bytes());
    const auto pos = d.walkObjectRecords();
    ASSERT_EQ(pos.size(), 2u);
    EXPECT_EQ(pointRefCode(d.record(pos[0])), 0xD0);
    EXPECT_EQ(t.btPointText(d.record(pos[0]), false).text, u"1100:AV-12"_qs);
    EXPECT_EQ(t.ibexAirflowPointText(d.record(pos[1]), false), u"Tux-1-3-DO-6"_qs);
    EXPECT_EQ(t.btAirflowPointText(d.record(pos[1]), false).text, u"1203:BO-6-P104"_qs);
    // The ordinary fields of the airflow record name no point.
    EXPECT_EQ(t.ibexPointText(d.record(pos[1]), false), QString());
}

TEST_F(Translation, RememberedLookupsFollowDatabaseChanges)
{
    EXPECT_EQ(bt(in(ref(0xD0, 13)), false), u"1100:AV-999"_qs);
    EXPECT_EQ(bt(in(ref(0x20, 0x84), 1, 9), false), u"4194304:AI-5"_qs);
    // Rows added by another part of the program count at the next lookup.
    p.addIbexPoint(1, 13, 1);
    p.addCpanel(1, 30, 9, 1, 6);
    p.exec(u"UPDATE ApexMap SET GlobalPts = 1500 WHERE Apex = 1"_qs);
    EXPECT_EQ(bt(in(ref(0xD0, 13)), false), u"1500:BV-13"_qs);
    EXPECT_EQ(bt(in(ref(0x20, 0x84), 1, 9), false), u"1206:AI-5"_qs);
    // The first row of a key counts, as a lookup finds it.
    p.addCpanel(1, 31, 9, 1, 1);
    p.addIbexPoint(1, 13, 2);
    EXPECT_EQ(bt(in(ref(0x20, 0x84), 1, 9), false), u"1206:AI-5"_qs);
    EXPECT_EQ(bt(in(ref(0xD0, 13)), false), u"1500:BV-13"_qs);
    // Within one read transaction (a listing) answers are remembered: nobody
    // else can change the database then.
    {
        ProjectDatabase::Transaction reading(p.pdb);
        EXPECT_EQ(bt(in(ref(0xD0, 12)), false), u"1500:AV-12"_qs);
        p.exec(u"UPDATE ApexMap SET GlobalPts = 1600 WHERE Apex = 1"_qs);
        EXPECT_EQ(bt(in(ref(0xD0, 12)), false), u"1500:AV-12"_qs);
        reading.commit();
    }
    EXPECT_EQ(bt(in(ref(0xD0, 12)), false), u"1600:AV-12"_qs);
    // A write through the project database counts at once, also inside one.
    {
        ProjectDatabase::Transaction writing(p.pdb);
        p.map.putIbexPoint(1, 12, 4, u"Setpoint"_qs);
        EXPECT_EQ(bt(in(ref(0xD0, 12)), false), u"1600:AV-12"_qs);
        p.map.putIbexPoint(1, 12, 1, u"Fan"_qs);
        EXPECT_EQ(bt(in(ref(0xD0, 12)), false), u"1600:BV-12"_qs);
        writing.commit();
    }
    // A rolled-back change is forgotten with everything read inside.
    {
        ProjectDatabase::Transaction undone(p.pdb);
        p.map.putIbexPoint(1, 12, 2, u"Temp"_qs);
        EXPECT_EQ(bt(in(ref(0xD0, 12)), false), u"1600:AV-12"_qs);
    }
    EXPECT_EQ(bt(in(ref(0xD0, 12)), false), u"1600:BV-12"_qs);
}

TEST_F(Translation, RememberedTranslationsKeepProblemsAndFollowOptions)
{
    // A remembered answer brings its problem back.
    for (int pass = 0; pass < 2; ++pass) {
        SCOPED_TRACE(pass);
        EXPECT_EQ(bt(in(ref(0x10, 0xC)), false), u"AV-999"_qs);
        EXPECT_FALSE(problem.isEmpty());
        EXPECT_EQ(problem, u"Global Pt"_qs);
        EXPECT_EQ(bt(in(ref(0xC0, 0x645)), false), u"1203:BO-6-P104"_qs);
        EXPECT_TRUE(problem.isEmpty());
        EXPECT_TRUE(problem.isEmpty());
    }
    // The template form of the same reference is its own answer.
    EXPECT_EQ(bt(in(ref(0x20, 0x84)), false), u"1204:AI-5"_qs);
    EXPECT_EQ(bt(in(ref(0x20, 0x84)), true), u"AI-5"_qs);
    // Options changed in memory count at once, without a database change.
    p.vars.cpanelPlaceHolder = u"AV-32"_qs;
    EXPECT_EQ(bt(in(ref(0x10, 0xC)), false), u"AV-32"_qs);
    p.vars.addRelDefToBO = false;
    EXPECT_EQ(bt(in(ref(0xC0, 0x645)), false), u"1203:BO-6"_qs);
}
