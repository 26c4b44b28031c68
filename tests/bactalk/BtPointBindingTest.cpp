// Binding a record's point block from a BACtalk point text, with the
// documented examples, in a value record.
#include "bactalk/BtDisplayWriter.h"
#include "bactalk/BtPointBinding.h"
#include "support/BtRecordBuilder.h"

#include <gtest/gtest.h>

using namespace vorlix;
using namespace vorlix::bt;
using namespace vorlix::test;

namespace {

QByteArray bound(const QString &pointText)
{
    BtDisplayWriter w;
    w.reset();
    w.btCreateHeader();
    BtRecord r = w.append(RecordKind::ReadOnlyValue);
    bindPointText(r, pointText);
    return QByteArray(reinterpret_cast<const char *>(r.data()), r.size());
}

} // namespace

struct BindCase {
    const char *text;
    uint32_t devId;
    uint8_t currDev;
    uint16_t ptType;
    uint32_t objInst;
    uint8_t objProp;
    uint8_t usePrio;
    uint8_t prio;
};

class BtPointBinding : public ::testing::TestWithParam<BindCase> {};

TEST_P(BtPointBinding, BindsThePointBlock)
{
    const BindCase &c = GetParam();
    BtBytes expected(expectedReadOnlyValue());
    expected.u32(28, c.devId).u8(32, c.currDev).u16(33, c.ptType).u32(35, c.objInst).u8(39, c.objProp)
        .u8(40, c.usePrio).u8(41, c.prio);
    EXPECT_EQ(bound(QString::fromLatin1(c.text)), expected.bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, BtPointBinding,
    ::testing::Values(
        // Device 1203, binary output 6, priority 8.
        BindCase{"1203:BO-6-P87[8]", 1203u << 8, 0, 4, 6, 87, 1, 8},
        BindCase{"1203:BO-6-P104", 1203u << 8, 0, 4, 6, 104, 0, 0},
        // No device: the current one.
        BindCase{"AV-32", 0xFFFFFF08u, 255, 2, 32, 85, 0, 0},
        BindCase{"1100:AI-3", 1100u << 8, 0, 0, 3, 85, 0, 0},
        BindCase{"BI-7", 0xFFFFFF08u, 255, 3, 7, 85, 0, 0},
        BindCase{"1201:BV-10", 1201u << 8, 0, 5, 10, 85, 0, 0},
        BindCase{"2:AO-1", 2u << 8, 0, 1, 1, 85, 0, 0},
        // Typed overrides may be lower case.
        BindCase{"1203:bo-6-p87[8]", 1203u << 8, 0, 4, 6, 87, 1, 8},
        BindCase{"object-name", 0xFFFFFF08u, 255, 8, 0xFFFFFFFFu, 77, 0, 0},
        BindCase{"Description", 0xFFFFFF08u, 255, 8, 0xFFFFFFFFu, 28, 0, 0},
        BindCase{"location", 0xFFFFFF08u, 255, 8, 0xFFFFFFFFu, 58, 0, 0},
        // Text that is no point: analog input 0 of the current device.
        BindCase{"", 0xFFFFFF08u, 255, 0, 0, 85, 0, 0},
        BindCase{"XX-5", 0xFFFFFF08u, 255, 0, 5, 85, 0, 0}));
