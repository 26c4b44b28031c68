#pragma once
// Applies one of the fifteen named visual styles to the application: Qt's
// Fusion style with the style's colours.
namespace vorlix {

void applyVisualStyle(int index);
// The style applied last (-1 before the first).
int appliedVisualStyle();

} // namespace vorlix
