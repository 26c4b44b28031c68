#include "sample/ApexFileBuilder.h"
#include "sample/SampleIbexFiles.h"

#include "util/FileUtil.h"

#include <QDir>

namespace vorlix::sample {

namespace {
using B = ApexFileBuilder;
constexpr uint8_t kAdd = '+';   // two operands
constexpr uint8_t kCompare = '#'; // three operands
} // namespace

void writeSampleApexFiles(const QString &jobFolder)
{
    const QDir job(jobFolder);

    // Apex 1: two Tux trunks. The air handlers' panels are served by one
    // subroutine (500) that takes its panel and Tux from S-1 and S-2; the
    // VAV boxes by a Tux subroutine (600); 700 has no panel at all.
    B apex1;
    apex1.call(10, 500, {B::constant(120), B::tuxPoint(1, 3, 2, 1)})
        .call(20, 500, {B::constant(130), B::tuxPoint(1, 4, 2, 1)})
        .callVar(30, 600, {B::constant(210), B::tuxPoint(2, 5, 2, 1)})
        .callVar(32, 600, {B::constant(220), B::tuxPoint(2, 6, 2, 1)})
        .call(35, 700, {B::ibexPoint(9)})
        .transfer(40, B::ibexPoint(12), B::tuxPoint(1, 3, 2, 5))
        .transfer(50, B::tuxPoint(2, 5, 3, 1), B::ibexPoint(14, kSuffixN))
        .transfer(55, B::ibexPoint(15, kSuffixR), B::tuxPoint(1, 4, 0, 2))
        .statement(60, kAdd, {B::tuxPoint(2, 7, 2, 1), B::constant(10)})
        .subroutineEnd(70, 0x01)
        .panel(500, B::param(1), B::param(2))
        .statement(510, kCompare, {B::param(2), B::constant(725), B::ibexPoint(3)})
        .subroutineEnd(520, 0x01)
        .tuxMark(600)
        .panel(610, B::param(1), B::param(2))
        .subroutineEnd(620, 0x01)
        .statement(700, kAdd, {B::param(1), B::constant(5)})
        .subroutineEnd(710, 0x02);
    writeFileAtomically(job.filePath(u"apex01.adc"_qs), apex1.bytes());

    // Apex 2: one trunk; its file name is upper case. Subroutine 400 names
    // its panel and Tux with fixed values.
    B apex2;
    apex2.call(5, 300, {B::constant(50), B::tuxPoint(1, 9, 2, 1)})
        .call(15, 400, {})
        .transfer(25, B::ibexPoint(3), B::tuxPoint(1, 9, 0, 2))
        .subroutineEnd(30, 0x01)
        .panel(300, B::param(1), B::param(2))
        .subroutineEnd(310, 0x01)
        .panel(400, B::constant(70), B::tuxPoint(1, 10, 2, 1))
        .subroutineEnd(410, 0x00);
    writeFileAtomically(job.filePath(u"APEX02.ADC"_qs), apex2.bytes());
}

} // namespace vorlix::sample
