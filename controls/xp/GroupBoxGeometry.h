#pragma once
// Where the group box draws its frame, caption gap and caption, in pixels.
// Pure functions of the measured caption, so they are tested without a
// device context.

#include <cstdint>

#include "controls/xp/XpRect.h"

namespace tarvex::xp {

// Caption measures of one paint.
struct CaptionMeasures {
    int32_t TextW = 0;       // width of the caption
    int32_t TextH = 0;       // height of "T"
    int32_t AmpersandW = 0;  // width of "&"
    bool HasAccelerator = false;
};

// Caption width plus room around it, less the "&" that is not drawn.
int32_t CaptionGapWidth(const CaptionMeasures& m);
int32_t HalfTextHeight(const CaptionMeasures& m);

// XpFrame and EtchedFrame in the classic look (EtchedFrame also themed).
struct EtchedFrameLayout {
    XpRect Frame;      // etched edge on all sides
    XpRect GapFill;    // opaque: button face over the line behind the caption
    SelfCopy GapCopy;  // transparent: the line behind the caption covered from below
    XpRect Caption;
};
EtchedFrameLayout LayoutEtchedFrame(int32_t w, int32_t h, const CaptionMeasures& m);

// XpFrame in the visual-style look.
struct ThemedFrameLayout {
    XpRect Frame;  // group-box part
    XpRect Caption;
    XpRect GapFill;
    SelfCopy GapCopy;
};
ThemedFrameLayout LayoutThemedFrame(int32_t w, int32_t h, const CaptionMeasures& m);

// XpTab: a tab on top of a panel; without a caption only the panel.
struct ClassicTabLayout {
    XpRect Panel;
    XpRect Tab;
    XpRect TabTop;  // the tab one pixel narrower and taller, for its top edge
    SelfCopy Join;  // joins tab and panel
    XpRect Caption;
};
ClassicTabLayout LayoutClassicTab(int32_t w, int32_t h, int32_t tabH, bool hasCaption, const CaptionMeasures& m);

struct ThemedTabLayout {
    XpRect Pane;
    XpRect Body;
    XpRect Tab;  // the tab item, already grown by 1 at top and bottom
    XpRect Caption;
};
ThemedTabLayout LayoutThemedTab(int32_t w, int32_t h, int32_t tabH, bool hasCaption, const CaptionMeasures& m);

}  // namespace tarvex::xp
