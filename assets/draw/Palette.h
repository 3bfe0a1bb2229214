// The colours of Kalvorn's look: a dark shooting range, steel-grey guns, amber accents.
// Every picture and movie frame takes its colours from here so the whole game stays consistent.
#pragma once

namespace art {

struct Color {
    double r = 0;
    double g = 0;
    double b = 0;
    double a = 1;

    Color withAlpha(double alpha) const { return {r, g, b, alpha}; }
};

// From a 0xRRGGBB value.
constexpr Color rgb(unsigned hex, double alpha = 1) {
    return {((hex >> 16) & 0xff) / 255.0, ((hex >> 8) & 0xff) / 255.0, (hex & 0xff) / 255.0, alpha};
}

namespace palette {

// Range backdrop: deep charcoal with a blue-grey cast.
constexpr Color rangeTop = rgb(0x1c232c);
constexpr Color rangeHorizon = rgb(0x262f3a);
constexpr Color rangeFloor = rgb(0x11151b);
constexpr Color rangeDeep = rgb(0x07090c);
constexpr Color laneLine = rgb(0x8da2b8, 0.10);
constexpr Color targetSilhouette = rgb(0x3a4654);

// Panels and buttons.
constexpr Color panelTop = rgb(0x2b333d);
constexpr Color panelBottom = rgb(0x171c22);
constexpr Color panelBorder = rgb(0x4a5563);
constexpr Color panelHighlight = rgb(0xffffff, 0.10);
constexpr Color insetFill = rgb(0x0d1116, 0.75);

// Steel for guns and metal trim.
constexpr Color steelLight = rgb(0xc3ccd6);
constexpr Color steelMid = rgb(0x7d8893);
constexpr Color steelDark = rgb(0x3b434c);
constexpr Color polymer = rgb(0x22272d);
constexpr Color wood = rgb(0x6b4a2f);
constexpr Color woodDark = rgb(0x3e2a1a);

// Accents: amber for what is active or important.
constexpr Color amber = rgb(0xf0a030);
constexpr Color amberBright = rgb(0xffc468);
constexpr Color amberDeep = rgb(0xb8661a);
constexpr Color flashCore = rgb(0xfff6d8);

// Text.
constexpr Color textBright = rgb(0xeef2f6);
constexpr Color textMuted = rgb(0x8f9baa);
constexpr Color textOnAmber = rgb(0x1a1208);

}  // namespace palette
}  // namespace art
