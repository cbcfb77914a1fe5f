// The data-files window's computation: the list of files it offers with their heading lines,
// text files as the editor holds them (loaded and saved byte for byte), the three unit
// calculators and the search in the editor's text.
#pragma once

#include <array>
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/textfile.h"

namespace himlavy {

// --- The file list ------------------------------------------------------------------------------

enum class TDataItemKind {
  TextFile,  // a text data file, edited in the window
  Catalog,   // a catalog whose zone files are browsed as text
  Nothing,   // the blank last item
};

// One item of the window's file list.
struct TDataFileItem {
  std::string_view Caption;  // as the list shows it (UTF-8)
  TDataItemKind Kind;
  std::string_view FileName;    // the text file (TextFile)
  std::string_view CatalogKey;  // the catalog ("bsc", ...; Catalog)
};

// The items in list order: the five element files, the twelve catalogs, the constellation,
// name, place and country files, and a blank item.
extern const std::array<TDataFileItem, 23> kDataFileItems;

// The heading lines the window shows above the editor for an item (UTF-8): the column
// captions of a text file, or those of a catalog's browse lines (CatalogHeading). The blank
// item has none.
std::vector<std::string> ItemHeading(const TDataFileItem& item);

// --- Text files in the editor
// ---------------------------------------------------------------------

// More lines than this cannot be saved from the window.
inline constexpr std::size_t kMaxEditableLines = 480;
// A file larger than this is not loaded.
inline constexpr std::uintmax_t kMaxLoadBytes = 16 * 1024 * 1024;

inline constexpr std::string_view kTooManyLinesText = "För många rader!";
inline constexpr std::string_view kSavedText = "Sparat";
inline constexpr std::string_view kSaveQuestionText = "Spara ändringar?";

// A text file as the editor holds it: its lines in UTF-8 and how it ends its lines, so that
// saving unchanged lines gives back the file's bytes.
struct TTextDocument {
  std::vector<std::string> Lines;  // without line ends, UTF-8
  std::string LineEnd{kLineEnd};   // "\r\n", or "\n" when the file ends lines so
  bool FinalLineEnd = true;        // whether the last line has a line end
};

// The outcome of loading: the document, or the message the window shows.
struct TLoadedText {
  std::optional<TTextDocument> Document;
  std::string Error;  // "Cannot open file <name>" or a Swedish reason
};

// LoadTextDocument: reads a Windows-1252 text file into lines.
//   path     the file
//   returns  the document: a file whose every line end is CRLF keeps CRLF; a file with any
//            bare LF keeps LF (a CR before it then stays part of its line); a file without
//            line ends is written back with CRLF. A file that cannot be opened gives the error
//            "Cannot open file <name>"; one larger than kMaxLoadBytes "Filen <name> är för
//            stor (...)".
TLoadedText LoadTextDocument(const std::filesystem::path& path);

// DocumentBytes: the bytes of a document as the file holds them (Windows-1252, its line ends;
// characters the code page lacks become '?').
std::string DocumentBytes(const TTextDocument& document);

// EditorText: the lines joined by "\n", as the editor shows them.
std::string EditorText(const TTextDocument& document);

// DocumentFromEditor: the editor's text ("\n" between lines) as a document with the line ends
// of `loaded`, the document it was loaded as. An empty text is no lines when `loaded` had
// none, else one empty line.
TTextDocument DocumentFromEditor(std::string_view text, const TTextDocument& loaded);

// UnsavableCharacterText: the message when the editor's text holds a character that
// Windows-1252 cannot hold (it would be written as '?'): Tecknet "<c>" finns inte i
// teckentabellen för <name> (Windows-1252). Ändra det och spara igen. Empty when every
// character can be saved.
std::string UnsavableCharacterText(std::string_view text, std::string_view fileName);

// SaveTextDocument: writes a document over its file, atomically (WriteFileAtomically): a
// failure leaves the old file as it was.
TWriteResult SaveTextDocument(const std::filesystem::path& path, const TTextDocument& document);

// SaveFailedText: the message of a failed save, "Kunde inte spara <name>: <reason>".
std::string SaveFailedText(std::string_view fileName, const TWriteResult& result);

// --- The calculators
// ------------------------------------------------------------------------------

// Kilometres in one astronomical unit, as the calculators use it.
inline constexpr double kKmPerAu = 149597870.0;

enum class TCalculator {
  KmToAu,            // km -> "a.e."
  AuToKm,            // a.e. -> "km"
  MeanMotionToAxis,  // an Earth satellite's mean motion (revolutions per day) -> semi-major axis
};

// What a calculator writes back into its box, or the message it shows (the box keeps its text).
struct TCalculation {
  std::string Text;
  std::string Error;
};

// Calculate: one calculator on the text of its box.
//   input    the box's text; an empty box counts as 0; a point or a comma as the decimal
//            separator
//   sep      the decimal separator of the result
//   returns  km -> AU: x / 149597870 rounded to 9 significant digits, written with 8 decimals
//            and " a.e."; AU -> km: x * 149597870 with 4 decimals and " km"; the mean motion
//            n: a = (k * 180/pi / (360 n))^(2/3) AU with k = 2.9811446458589675e-05, the
//            Earth's Gaussian constant, written as km -> AU writes. Text that is not a number
//            gives "'<text>' is not a valid floating point value"; a mean motion that is not
//            positive, and a result too large to write, a Swedish message.
TCalculation Calculate(TCalculator calculator, std::string_view input, char sep);

// --- Searching
// ------------------------------------------------------------------------------------

struct TFindOptions {
  bool MatchCase = false;
  bool WholeWord = false;
  bool Down = true;  // towards the end of the text
};

// FindText: the next match of `pattern` in `text` (UTF-16, as the editor holds it).
//   from     Down: the search starts here (the end of the selection); up: the match must end
//            at or before here (the start of the selection)
//   returns  the position of the match, or std::nullopt. Without MatchCase the letters of
//            Windows-1252 (A-Z, À-Þ, Š, Œ, Ž, Ÿ) match their lower-case forms; WholeWord
//            wants no letter, digit or '_' just before and after the match. An empty pattern
//            matches nothing.
std::optional<std::size_t> FindText(std::u16string_view text, std::u16string_view pattern,
                                    std::size_t from, const TFindOptions& options);

// NotFoundText: the message of a search without a match: Hittar inte "<pattern>".
std::string NotFoundText(std::string_view pattern);

}  // namespace himlavy
