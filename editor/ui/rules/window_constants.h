// Numbers and texts of the main window kept in one place: its title, the design screen the
// layout is drawn for, the proportions of its parts, the option tiles' places over the
// picture of the controller, the timers and the element captions other code looks for.
#pragma once

#include <array>
#include <string_view>

namespace orvel {

// --- Title -----------------------------------------------------------------------------

inline constexpr std::string_view kBaseTitlePrefix = "Orvel version ";
inline constexpr std::string_view kImageVersionSeparator = " / ";

// --- Test mode and transport -----------------------------------------------------------

// A first argument equal to this word, in any case, shows "Check &default".
inline constexpr std::string_view kTestWord = "ZEBU";
// This argument (anywhere on the line) selects the numbered serial port transport.
inline constexpr std::string_view kSerialPortOption = "--serial-port";

// --- Design screen ---------------------------------------------------------------------

inline constexpr int kDesignWidth = 1024;
inline constexpr int kDesignHeight = 768;
inline constexpr int kDesignDpi = 96;

// Proportions, as numerator and denominator so that the arithmetic stays exact.
inline constexpr int kPercent = 100;
inline constexpr int kWindowPercentOfScreen = 95;
inline constexpr int kToolbarPercentOfWindow = 5;
inline constexpr int kStatusBarPercentOfWindow = 3;
inline constexpr int kPagesPercentOfWindow = 98;
inline constexpr int kPresetGridTenthsOfPage = 9;

// Progress bar: design size, and the gap between its right end and the toolbar's.
inline constexpr int kProgressDesignWidth = 201;
inline constexpr int kProgressDesignHeight = 16;
inline constexpr int kProgressDesignRightGap = 100;

// Picture of the controller: 1024 x 284 design pixels, shown stretched.
inline constexpr int kPictureDesignWidth = 1024;
inline constexpr int kPictureDesignHeight = 284;
inline constexpr int kPictureMargin = 10;        // taken off the page width before scaling
inline constexpr int kPictureShrinkStep = 10;    // until it fits the page
inline constexpr int kPictureTop = 100;          // below the page's top

// Preview picture: 4140 x 1293 design pixels, shown stretched in the picture's place.
inline constexpr int kPreviewDesignWidth = 4140;
inline constexpr int kPreviewDesignHeight = 1293;
// Its height is 0.3123188 of its width.
inline constexpr long long kPreviewHeightNumerator = 3123188;
inline constexpr long long kPreviewHeightDenominator = 10000000;

// Settings grid.
inline constexpr int kSetupGridDesignRowHeight = 24;
inline constexpr int kSetupGridDesignGapBelowPicture = 10;
inline constexpr int kPortLabelLeft = 10;        // right of the picture's left edge
inline constexpr int kPortBoxGap = 20;           // right of the "Port" label

// Fonts, in design points.
inline constexpr double kWindowFontPoints = 8;
inline constexpr double kTileFontPoints = 12;

// Status bar panels, in pixels.
inline constexpr int kStatusPanel0Width = 468;
inline constexpr int kStatusPanel1Width = 467;

// --- Option tiles ----------------------------------------------------------------------

inline constexpr int kTileDesignSize = 44;

// Tile N's design corner over the picture is (x + ax_N * a, y + by_N * b), in picture pixels
// that scale with W / 1024. The steps a and b grow with the screen (TileStepA, TileStepB).
struct TilePlace {
    int x;
    int y;
    int a_factor;
    int b_factor;
};
inline constexpr std::array<TilePlace, 8> kTilePlaces = {{
    {44, 193, 0, 1},
    {223, 193, 1, 1},
    {402, 193, 2, 1},
    {581, 193, 3, 1},
    {760, 193, 4, 1},
    {134, 61, 0, -1},
    {313, 61, 1, -1},
    {492, 61, 2, -1},
}};

// a = 0, 1, 2, 3 for W up to these widths and above; b = 0, 1, 2 for H up to these heights
// and above.
inline constexpr std::array<int, 3> kTileStepAWidths = {1199, 1599, 1819};
inline constexpr std::array<int, 2> kTileStepBHeights = {1199, 1539};

// How long a hint (a toolbar button's) stays visible.
inline constexpr int kHintVisibleMs = 32000;

// --- Timers ----------------------------------------------------------------------------

inline constexpr int kMonitorIntervalMs = 1000;   // timerKPX
inline constexpr int kPreviewIntervalMs = 200;    // timercurrentpreset

// What the status bar says while a close waits for the controller's work to end.
inline constexpr const char* kClosingText = "Closing when the controller's work has ended…";

// --- Pages -----------------------------------------------------------------------------

enum class Page { Settings = 0, Presets = 1, Preview = 2, Library = 3 };

inline constexpr std::string_view kPageSettingsCaption = "Settings";
inline constexpr std::string_view kPagePresetsCaption = "Presets";
inline constexpr std::string_view kPagePreviewCaption = "Preview";
inline constexpr std::string_view kPageLibraryCaption = "Library";

// --- Captions of the "Data transfer" items that carry the current row's numbers --------

inline constexpr std::string_view kDataTransferWriteBankPrefix = "Write bank ";
inline constexpr std::string_view kDataTransferReadBankPrefix = "Read bank ";
inline constexpr std::string_view kDataTransferWritePresetPrefix = "Write preset ";
inline constexpr std::string_view kDataTransferReadPresetPrefix = "Read preset ";

// --- Balloons over the option tiles ---------------------------------------------------

inline constexpr int kBalloonShowDelayMs = 200;     // pointer rests on a tile
inline constexpr int kBalloonHideAfterMs = 30000;   // a balloon closes on its own
inline constexpr int kBalloonReshowDelayMs = 50;    // pointer moves on to another tile

// --- The settings grid aSetup -------------------------------------------------------

inline constexpr int kSetupColumnWidthUnits = 60;
inline constexpr int kSetupExtraWidthPixels = 10;

// Header row 0 (two spaces after "Ctrl" in both CTRL captions).
inline constexpr std::string_view kSetupCaptionChannels = "MIDI Channel";          // columns 0-2
inline constexpr std::string_view kSetupCaptionCtrl = "Ctrl  Number";              // columns 3-5
inline constexpr std::string_view kSetupCaptionCtrlOrChannel =
    "Ctrl  Number or MIDI Channel";                                                // columns 6-9

}  // namespace orvel
