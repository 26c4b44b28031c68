#include "inventory/DisplayLinks.h"

#include "translate/DisplayNaming.h"

namespace vorlix {

namespace {
// Fields of a button record that the scan reads.
constexpr int kFunction = ibw::obj::KindFlag;         // uint8: 0 opens a display
constexpr int kDisplayNumber = ibw::obj::PointRef;    // uint16: display buttons
constexpr int kTemplateNumber = ibw::obj::TemplateNumber; // uint16: the other kinds
constexpr int kPanelNumber = ibw::obj::PointRef;      // uint16
} // namespace

bool isTemplateFileName(const QString &fileName) { return !fileName.toLower().contains(u"disp"_qs); }

std::optional<DisplayLink> displayLinkOf(const IbexObjRec &rec, bool onTemplate)
{
    const IbexObject kind = rec.kind();
    if (kind != ioBtnDisp && kind != ioBtnCP && kind != ioGrMicroset)
        return std::nullopt;
    if (rec.u8(kFunction) != 0)
        return std::nullopt;
    DisplayLink link;
    const bool display = kind == ioBtnDisp;
    const uint16_t number = rec.u16(display ? kDisplayNumber : kTemplateNumber);
    link.target = ibexFileName(display && !onTemplate ? ftDisplay : ftTemplate, number);
    link.localJob = isLocalJobBit(rec.options());
    link.apex = rec.apex();
    link.cpNumber = rec.u16(kPanelNumber);
    return link;
}

} // namespace vorlix
