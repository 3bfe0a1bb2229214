// Drawing the encyclopedia. Pages share one layout: a dark top bar under the back button with
// the gun's name, the gun across the middle, and a strip of facts at the bottom. The list face
// frames the scrolling list of the layouts (iPhone/RavuravovController.json and its tablet
// twin) and the entry plates carry no text: each button writes its gun's name on its plate.
#include "guns/EncyclopediaPictures.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "draw/Backdrop.h"
#include "draw/Palette.h"
#include "draw/Shapes.h"
#include "draw/Text.h"
#include "guns/GunPictures.h"

namespace guns {
namespace {

struct Fact {
    const char* label;
    const char* value;  // empty: not told
};

struct EncyclopediaPage {
    int idGun;  // the assembly gun drawn on the page
    const char* name;
    Fact facts[4];
};

// Page N is "guno_NN.jpg". Facts that could not be stated with certainty are left out.
const EncyclopediaPage kPages[] = {
    {1,
     "BERETTA 92",
     {{"ORIGIN", "Italy"},
      {"CALIBRE", "9×19 mm Parabellum"},
      {"TYPE", "Semi-automatic pistol"},
      {"INTRODUCED", "1975"}}},
    {2,
     "COLT M1911",
     {{"ORIGIN", "United States"},
      {"CALIBRE", ".45 ACP"},
      {"TYPE", "Semi-automatic pistol"},
      {"INTRODUCED", "1911"}}},
    {3,
     "CZ 75",
     {{"ORIGIN", "Czechoslovakia"},
      {"CALIBRE", "9×19 mm Parabellum"},
      {"TYPE", "Semi-automatic pistol"},
      {"INTRODUCED", "1975"}}},
    {4,
     "DESERT EAGLE",
     {{"ORIGIN", "United States and Israel"},
      {"CALIBRE", ".357 Magnum, .44 Magnum, .50 AE"},
      {"TYPE", "Gas-operated semi-automatic pistol"},
      {"INTRODUCED", "1983"}}},
    {5,
     "GLOCK 17",
     {{"ORIGIN", "Austria"},
      {"CALIBRE", "9×19 mm Parabellum"},
      {"TYPE", "Semi-automatic pistol, polymer frame"},
      {"INTRODUCED", "1982"}}},
    {6,
     "MAKAROV PM",
     {{"ORIGIN", "Soviet Union"},
      {"CALIBRE", "9×18 mm Makarov"},
      {"TYPE", "Semi-automatic pistol"},
      {"INTRODUCED", "1951"}}},
    {7,
     "P08 PARABELLUM",
     {{"ORIGIN", "Germany"},
      {"CALIBRE", "9×19 mm Parabellum"},
      {"TYPE", "Toggle-locked semi-automatic pistol"},
      {"INTRODUCED", "1908"}}},
    {8,
     "HK USP",
     {{"ORIGIN", "Germany"},
      {"CALIBRE", "9×19 mm, .40 S&W, .45 ACP"},
      {"TYPE", "Semi-automatic pistol, polymer frame"},
      {"INTRODUCED", "1993"}}},
    {9,
     "VIS WZ. 35",
     {{"ORIGIN", "Poland"},
      {"CALIBRE", "9×19 mm Parabellum"},
      {"TYPE", "Semi-automatic pistol"},
      {"INTRODUCED", "1935"}}},
    {10,
     "WALTHER P38",
     {{"ORIGIN", "Germany"},
      {"CALIBRE", "9×19 mm Parabellum"},
      {"TYPE", "Semi-automatic pistol"},
      {"INTRODUCED", "1938"}}},
    {11,
     "WALTHER P99",
     {{"ORIGIN", "Germany"},
      {"CALIBRE", "9×19 mm, .40 S&W"},
      {"TYPE", "Semi-automatic pistol, polymer frame"},
      {"INTRODUCED", "1997"}}},
    {18,
     "AK-47",
     {{"ORIGIN", "Soviet Union"},
      {"CALIBRE", "7.62×39 mm"},
      {"TYPE", "Assault rifle"},
      {"DESIGNED", "1947"}}},
    {19,
     "L85",
     {{"ORIGIN", "United Kingdom"},
      {"CALIBRE", "5.56×45 mm NATO"},
      {"TYPE", "Bullpup assault rifle"},
      {"INTRODUCED", "1985"}}},
    {20,
     "M16",
     {{"ORIGIN", "United States"},
      {"CALIBRE", "5.56×45 mm NATO"},
      {"TYPE", "Assault rifle"},
      {"", ""}}},
    {21,
     "STEYR AUG",
     {{"ORIGIN", "Austria"},
      {"CALIBRE", "5.56×45 mm NATO"},
      {"TYPE", "Bullpup assault rifle"},
      {"DESIGNED", "1977"}}},
    {22,
     "STG 44",
     {{"ORIGIN", "Germany"}, {"CALIBRE", "7.92×33 mm Kurz"}, {"TYPE", "Assault rifle"}, {"", ""}}},
    {29,
     "SAIGA-12",
     {{"ORIGIN", "Russia"},
      {"CALIBRE", "12 gauge"},
      {"TYPE", "Semi-automatic shotgun on the Kalashnikov pattern"},
      {"", ""}}},
    {30,
     "SPAS-15",
     {{"ORIGIN", "Italy"},
      {"CALIBRE", "12 gauge"},
      {"TYPE", "Pump-action or semi-automatic shotgun, box magazine"},
      {"", ""}}},
    {28,
     "MOSSBERG 500",
     {{"ORIGIN", "United States"},
      {"CALIBRE", "12 gauge"},
      {"TYPE", "Pump-action shotgun"},
      {"INTRODUCED", "1961"}}},
    {27,
     "STEYR SSG 69",
     {{"ORIGIN", "Austria"},
      {"CALIBRE", "7.62×51 mm NATO"},
      {"TYPE", "Bolt-action sniper rifle"},
      {"INTRODUCED", "1969"}}},
    {26,
     "SVD DRAGUNOV",
     {{"ORIGIN", "Soviet Union"},
      {"CALIBRE", "7.62×54 mmR"},
      {"TYPE", "Semi-automatic sniper rifle"},
      {"INTRODUCED", "1963"}}},
    {12,
     "FN P90",
     {{"ORIGIN", "Belgium"},
      {"CALIBRE", "5.7×28 mm"},
      {"TYPE", "Personal defence weapon"},
      {"", ""}}},
    {13,
     "KP/-31 SUOMI",
     {{"ORIGIN", "Finland"},
      {"CALIBRE", "9×19 mm Parabellum"},
      {"TYPE", "Submachine gun"},
      {"INTRODUCED", "1931"}}},
    {14,
     "MP 40",
     {{"ORIGIN", "Germany"},
      {"CALIBRE", "9×19 mm Parabellum"},
      {"TYPE", "Submachine gun"},
      {"", ""}}},
    {15,
     "MP5",
     {{"ORIGIN", "West Germany"},
      {"CALIBRE", "9×19 mm Parabellum"},
      {"TYPE", "Submachine gun"},
      {"INTRODUCED", "1966"}}},
    {16,
     "PM-84 GLAUBERYT",
     {{"ORIGIN", "Poland"},
      {"CALIBRE", "9×18 mm Makarov, 9×19 mm"},
      {"TYPE", "Compact submachine gun"},
      {"", ""}}},
    {23,
     "BAR M1918",
     {{"ORIGIN", "United States"},
      {"CALIBRE", ".30-06 Springfield"},
      {"TYPE", "Automatic rifle"},
      {"INTRODUCED", "1918"}}},
    {24,
     "M249",
     {{"ORIGIN", "United States, from the Belgian Minimi"},
      {"CALIBRE", "5.56×45 mm NATO"},
      {"TYPE", "Light machine gun"},
      {"", ""}}},
    {25,
     "MG 42",
     {{"ORIGIN", "Germany"},
      {"CALIBRE", "7.92×57 mm Mauser"},
      {"TYPE", "General-purpose machine gun"},
      {"INTRODUCED", "1942"}}},
};

constexpr int kPageCount = static_cast<int>(std::size(kPages));

struct Screen {
    int width;
    int height;
    double scale;  // of lines and type: 1 on the phone
};

constexpr Screen kPhone{480, 320, 1};
constexpr Screen kTablet{1024, 768, 2.1};

// The dark bar the back button sits on, with an amber rule under it.
double drawTopBar(cairo_t* cr, const Screen& screen) {
    const double s = screen.scale;
    const double bar = 46 * s;
    art::fillVertical(cr, {0, 0, double(screen.width), bar}, art::rgb(0x0a0d11, 0.92),
                      art::rgb(0x0a0d11, 0.7));
    art::drawAccentBar(cr, {screen.width * 0.25, bar - 2 * s, screen.width * 0.5, 2 * s},
                       art::AccentFade::BothWays);
    return bar;
}

void drawPage(cairo_t* cr, const Screen& screen, int number) {
    const EncyclopediaPage& page = kPages[number - 1];
    const double s = screen.scale;
    const double w = screen.width;
    const double h = screen.height;
    art::BackdropStyle backdrop;
    backdrop.dimming = 0.75;
    art::drawRangeBackdrop(cr, w, h, backdrop);
    const double bar = drawTopBar(cr, screen);

    // The name, right of the back button.
    art::TextStyle heading{20 * s, art::Weight::Bold, art::palette::amberBright, 2 * s};
    heading.size = art::fittingSize(cr, page.name, heading, w * 0.56);
    art::drawTextCentered(cr, page.name, {w * 0.22, 0, w * 0.56, bar}, heading);
    char counter[16];
    std::snprintf(counter, sizeof counter, "%02d / %d", number, kPageCount);
    art::drawText(cr, counter, {w - 12 * s, bar * 0.62},
                  {9 * s, art::Weight::Bold, art::palette::textMuted, 1.5 * s}, art::Align::Right);

    // The facts' strip at the bottom, and the gun large in the space above it.
    const double strip = h * 0.3;
    const art::Rect facts{16 * s, h - strip - 8 * s, w - 32 * s, strip};
    const art::Rect stage{w * 0.06, bar + 12 * s, w * 0.88, facts.y - bar - 24 * s};
    art::glow(cr, stage.center(), stage.width * 0.5, art::palette::steelLight.withAlpha(0.10));
    drawFinishedGun(cr, page.idGun, stage);

    art::drawPanel(
        cr, facts,
        {art::rgb(0x1e252d, 0.9), art::rgb(0x0f1318, 0.9), art::palette::panelBorder, 8 * s, s});
    const double row = facts.height / 4;
    const double valueLeft = facts.x + 110 * s;
    int line = 0;
    for (const Fact& fact : page.facts) {
        if (*fact.value == '\0') {
            continue;
        }
        const double baseline = facts.y + row * (line + 0.68);
        art::drawText(cr, fact.label, {facts.x + 14 * s, baseline},
                      {9 * s, art::Weight::Bold, art::palette::amber, 1.5 * s});
        art::TextStyle value{11 * s, art::Weight::Regular, art::palette::textBright, 0};
        value.size = art::fittingSize(cr, fact.value, value, facts.right() - valueLeft - 12 * s);
        art::drawText(cr, fact.value, {valueLeft, baseline}, value);
        ++line;
    }
}

// The list face: the range, the top bar under the back button and the screen's title, and a
// sunken well behind the scrolling list.
void drawListFace(cairo_t* cr, const Screen& screen, const art::Rect& list) {
    const double s = screen.scale;
    art::BackdropStyle backdrop;
    backdrop.dimming = 0.6;
    art::drawRangeBackdrop(cr, screen.width, screen.height, backdrop);
    drawTopBar(cr, screen);
    art::drawInset(cr, list.inset(-4 * s), 8 * s);
}

// An entry of the list: a plate with an amber tab at its left, lit amber when pressed.
void drawEntry(cairo_t* cr, const Screen& screen, double width, double height, bool lit) {
    const double s = screen.scale;
    art::PanelStyle style;
    style.radius = 5 * s;
    style.borderWidth = s;
    if (lit) {
        style.border = art::palette::amberBright;
        style.top = art::rgb(0x6a4a1c);
        style.bottom = art::rgb(0x3a260c);
    }
    art::drawPanel(cr, {0.5, 0.5, width - 1, height - 1}, style);
    cairo_rectangle(cr, 4 * s, height * 0.25, 3 * s, height * 0.5);
    art::setColor(cr, lit ? art::palette::flashCore : art::palette::amber);
    cairo_fill(cr);
}

std::string pageFile(int number, bool onTablet) {
    char name[32];
    std::snprintf(name, sizeof name, "guno_%02d%s.jpg", number, onTablet ? "_ipad" : "");
    return name;
}

}  // namespace

std::vector<DrawnPicture> encyclopediaPictures() {
    std::vector<DrawnPicture> pictures;
    for (bool onTablet : {false, true}) {
        const Screen screen = onTablet ? kTablet : kPhone;
        const std::string suffix = onTablet ? "_ipad" : "";
        for (int number = 1; number <= kPageCount; ++number) {
            pictures.push_back({pageFile(number, onTablet), screen.width, screen.height, true,
                                [screen, number](cairo_t* cr) { drawPage(cr, screen, number); }});
        }
        // Where the layouts put the list.
        const art::Rect list =
            onTablet ? art::Rect{32, 120, 960, 628} : art::Rect{10, 52, 460, 260};
        pictures.push_back({"ravuravov_list" + suffix + ".png", screen.width, screen.height, false,
                            [screen, list](cairo_t* cr) { drawListFace(cr, screen, list); }});
        const int entryWidth = onTablet ? 310 : 150;
        const int entryHeight = onTablet ? 64 : 34;
        for (bool lit : {false, true}) {
            pictures.push_back(
                {"ravuravov_entry" + std::string(lit ? "_highlighted" : "") + suffix + ".png",
                 entryWidth, entryHeight, false,
                 [=](cairo_t* cr) { drawEntry(cr, screen, entryWidth, entryHeight, lit); }});
        }
    }
    return pictures;
}

}  // namespace guns
