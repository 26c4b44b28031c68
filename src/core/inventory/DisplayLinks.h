#pragma once
// The pushbuttons of an Ibex display that open another display: display
// buttons, control-panel buttons and microset graphics whose function byte
// is 0. The scan follows them; the explorer tree shows them.
#include "ibex/IbexDisplay.h"

#include <QString>
#include <optional>

namespace vorlix {

struct DisplayLink {
    QString target;      // lower-case file name of the display opened
    bool localJob = false; // the target lies in the local job
    int apex = 0;        // the controller the button names
    int cpNumber = 0;    // the control panel the button names
};

// A display is a template (ccpd..., ctxd...) when its lower-case file name
// does not contain "disp". A display button on a template opens another
// template of that number.
bool isTemplateFileName(const QString &fileName);

// The link of one record, when the record is such a button.
std::optional<DisplayLink> displayLinkOf(const IbexObjRec &rec, bool onTemplate);

} // namespace vorlix
