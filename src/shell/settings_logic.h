// The rules of the settings dialog that need no window: its pages, its check boxes as data,
// the enabling of controls by coordinate system, filling the fields from the state, and "OK"
// applied to a copy of the state.
//
// The dialog shows its numbers with the user's decimal separator and reads them with either a
// comma or a point. "OK" first reads every field; only when all are numbers is the candidate
// state built (date and time, JD, zone, DeriveTimes, step, speed, site, place look-up, the
// choices and switches), saved when asked, and the redraw flags raised unless the increment
// page is showing or "Hindra" is checked.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "base/obs_state.h"
#include "base/timescales.h"

namespace himlavy {

// --- Pages ---

inline constexpr int kSettingsPageCount = 7;
inline constexpr int kPageTime = 0;         // "Tid"
inline constexpr int kPageIncrement = 1;    // "Tidinkrement"
inline constexpr int kPagePlace = 2;        // "Plats"
inline constexpr int kPageOptions = 3;      // "Alternativ"
inline constexpr int kPageSelection = 4;    // "Urval"
inline constexpr int kPageCatalogs = 5;     // "Stjärnor m.fl."
inline constexpr int kPageCorrections = 6;  // "Korrektioner"

// Tab captions in tab order.
inline constexpr std::array<std::string_view, kSettingsPageCount> kSettingsPageCaptions = {
    "Tid", "Tidinkrement", "Plats", "Alternativ", "Urval", "Stjärnor m.fl.", "Korrektioner"};

// Help context of each page.
inline constexpr std::array<std::string_view, kSettingsPageCount> kSettingsHelpContexts = {
    "HVHELP.XAN_269", "HVHELP.XAN_270", "HVHELP.XAN_271", "HVHELP.XAN_272",
    "HVHELP.XAN_273", "HVHELP.XAN_274", "HVHELP.XAN_291"};

// Captions of the coordinate systems (CoordSystem 0..6).
inline constexpr std::array<std::string_view, 7> kCoordSystemCaptions = {
    "Ekliptikalt, hel", "Ekliptikalt",      "Ekvatorialt", "Ekvatorialt, pol",
    "Horisontalt",      "Horisontalt, pol", "Galaktiskt"};

// --- Check boxes bound to a switch of the state ---

// The box (group) a switch check box sits in.
enum class TSwitchGroup {
  Selection,    // page "Urval"
  Labels,       // page "Urval", group "Etiketter"
  Stars,        // page "Stjärnor m.fl.", group "Stjärnor"
  DeepSky,      // page "Stjärnor m.fl.", group "Galaxer m.fl."
  CatalogPage,  // page "Stjärnor m.fl.", outside the groups ("Färgindex")
  Apparent,     // page "Korrektioner", group "Apparent position"
  Topocentric,  // page "Korrektioner", group "Topocentrisk"
};

// One check box bound to an int switch of the state (1 checked, 0 not).
struct TSwitchBox {
  std::string_view Caption;
  std::string_view Hint;  // empty: no hint
  int TObsState::*Field;
  TSwitchGroup Group;
  // Coordinate systems (bit n = system n) in which a change of system enables the box; 0 when
  // a change of system leaves the box as it is.
  std::uint8_t SystemMask;
  // True for the boxes that the opening disables in the galactic system (and enables in the
  // others).
  bool OffWhenGalactic;
  // For a catalog box: the catalog's key in kCatalogs ("bsc"); empty for other boxes.
  std::string_view Catalog;
};

inline constexpr std::size_t kSwitchBoxCount = 38;

// Every switch check box, in the order the pages show them.
extern const std::array<TSwitchBox, kSwitchBoxCount> kSwitchBoxes;

// Index in kSwitchBoxes of the box bound to `field`, or -1.
int SwitchBoxIndex(int TObsState::*field);

// --- Enabling ---

// Enabled states to set; a box without a value is left as it is.
struct TControlEnabling {
  std::array<std::optional<bool>, kSwitchBoxCount> Boxes{};
  bool Hemisphere = false;   // "Hemisfär"
  bool CentreDir = false;    // "Mitten="
  bool Orientation = false;  // "Orientering"
};

// CatalogFileReadable: true when `file` (a name such as "bsc2000\01.dat", resolved in `dataDir`
// case-insensitively) is a regular file that opens for reading and holds a whole number of
// records of `recordBytes` bytes.
bool CatalogFileReadable(const std::filesystem::path& dataDir, std::string_view file,
                         int recordBytes);

// For each switch box: false for a catalog box whose first zone file (ZoneFileName of zone 1)
// is not readable with the catalog's record size, true for every other box.
std::array<bool, kSwitchBoxCount> CatalogAvailability(const std::filesystem::path& dataDir);

// Enabling when the dialog opens on coordinate system `system`: "Hemisfär" only in system 3,
// "Mitten=" only in 1, 2, 4 and 6, "Orientering" only in 0; the boxes marked OffWhenGalactic
// disabled in system 6 and enabled otherwise; each catalog box enabled exactly when its file is
// available. Other boxes are left as they are.
TControlEnabling OpeningEnabling(int system, const std::array<bool, kSwitchBoxCount>& available);

// Enabling when the user picks coordinate system `system`: each box with a SystemMask is
// enabled when its bit for `system` is set (a catalog box only when its file is also
// available); the three radio groups as at opening.
TControlEnabling SystemChangeEnabling(int system,
                                      const std::array<bool, kSwitchBoxCount>& available);

// --- Fields ---

// The dialog's controls as values: field texts (UTF-8, as typed) and choices (-1: none).
struct TDialogFields {
  // Page "Tid".
  std::string JD, Year, Month, Day, Hour, Minute, Second, Zone;
  int TimeScale = kTimeScaleUtc;
  // Page "Tidinkrement".
  int StepIndex = -1;  // index in kStepChoices
  int TimerSpeed = 0;
  // Page "Plats".
  std::string NewPlace, Latitude, Longitude, Height;
  // Page "Alternativ" and "Visning".
  int CoordSystem = 0, Hemisphere = 0, CentreDir = 0, Orientation = 0, DisplayMode = 0;
  // Switch boxes, indexed like kSwitchBoxes (1 checked, 0 not), and the hidden map-colour box.
  std::array<int, kSwitchBoxCount> Switches{};
  int MapColour = 0;
  // Right column.
  bool Save = false;     // "Spara"
  bool Prevent = false;  // "Hindra"
};

// FieldsFromState: the controls as a showing fills them.
//   state  the observation state
//   now    the computer's local date and time, shown when RealTime is 1
//   sep    the user's decimal separator
//   returns  date and time from CalendarDateTime(ClockJD) (day and second as fixed numbers
//          with 0 decimals) or from `now` (second as a general number); the JD field empty;
//          zone as a fixed number with 2 decimals; the step whose label equals StepLabel;
//          latitude and longitude as DegToDegMin with 2 decimals; height in general form; every
//          choice and switch from its field; "Spara" and "Hindra" unchecked.
TDialogFields FieldsFromState(const TObsState& state, const TCalDateTime& now, char sep);

// The numeric fields, in the order "OK" reads them.
enum class TDialogField {
  None,
  Year,
  Month,
  Day,
  Hour,
  Minute,
  Second,
  JD,
  Zone,
  Latitude,
  Longitude,
  Height
};

// A field that is not a number: which one, and the message to show.
struct TFieldError {
  TDialogField Field = TDialogField::None;
  std::string Message;  // "'%s' is not a valid integer value" or "... floating point value"
};

// The numbers of the fields, read with a comma or a point as decimal separator.
struct TParsedFields {
  TCalDateTime Date;         // year, month, day, hour, minute, second
  std::optional<double> JD;  // set when the JD field is not blank
  double Zone = 0.0;
  double Latitude = 0.0;   // as typed: degrees.minutes
  double Longitude = 0.0;  // as typed: degrees.minutes
  double Height = 0.0;
};

// ParseDialogFields: reads every numeric field in the order year, month, day, hour, minute,
// second, JD, zone, latitude, longitude, height. Integers (year, month, hour, minute) may have
// blanks around them and a sign; reals also a decimal comma or point and an exponent. A JD
// field of blanks only counts as empty.
//   returns  the numbers, or the first field that is not a number with its message
struct TParseResult {
  std::optional<TParsedFields> Values;
  TFieldError Error;
};
TParseResult ParseDialogFields(const TDialogFields& fields);

// CheckDialogRanges: the first field whose number lies outside what the program can compute
// with, with a Swedish message naming the field: the JD (or, without one, the moment of the
// date fields) outside 0 ... 5373484.5, a zone beyond +-14 hours, a latitude beyond +-90 or a
// longitude beyond +-180 degrees (as degrees after DegMinToDeg). Field None when all are in range.
TFieldError CheckDialogRanges(const TDialogFields& fields, const TParsedFields& values);

// What "OK" did.
struct TOkResult {
  bool Applied = false;      // false: a field was bad and nothing changed
  TFieldError Error;         // the bad field, when not applied
  TObsState State;           // the new state (a copy of the old one when not applied)
  bool PlaceFound = false;   // the place look-up found the place
  std::string ZoneLabel;     // "Tidzon   " + the found place's zone text, when found
  bool Beep = false;         // "ortsnamn.dta" is missing: sound the question beep
  bool Saved = false;        // "parametr.dta" was written
  bool SaveFailed = false;   // "Spara" was checked but the file could not be written
  std::string SaveMessage;   // then: the message naming the file and the reason
  bool FlagsRaised = false;  // RaiseAllRedrawFlags was called
};

// ApplyDialogFields: "OK" on a copy of the state. Reads every field first; when one is not a
// number or is out of range (CheckDialogRanges), returns it (Applied false) and the state copy
// unchanged. Otherwise applies in order:
// ClockJD from the date and time fields (JulianDayTime), ClockJD from the JD field when given,
// TimeZone and TimeScale, DeriveTimes, the step choice (nothing selected keeps StepDays and
// StepLabel), TimerSpeed, NewPlaceName (first 30 characters), Latitude and Longitude
// (DegMinToDeg of the typed values), Height, LookUpPlace(NewPlaceName) in "ortsnamn.dta" (then
// PlaceName emptied when NewPlaceName is empty), the radio-group choices (-1 keeps the field),
// every switch and MapColour; SaveParameters to "parametr.dta" when "Spara" is checked; and
// RaiseAllRedrawFlags unless `page` is the increment page or "Hindra" is checked. A failed save
// still applies the new state (SaveFailed and SaveMessage tell the user; the old file stays).
//   state    the current state (not changed)
//   fields   the controls
//   page     the page showing, 0..6
//   dataDir  folder of "ortsnamn.dta" and "parametr.dta"
TOkResult ApplyDialogFields(const TObsState& state, const TDialogFields& fields, int page,
                            const std::filesystem::path& dataDir);

}  // namespace himlavy
